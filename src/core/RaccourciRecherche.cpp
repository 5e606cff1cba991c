#include "core/RaccourciRecherche.h"

#include "core/Contexte.h"
#include "platform/Messages.h"
#include "platform/RaccourciGlobal.h"

QString RaccourciRecherche::commande() {
    return QStringLiteral("dalvire --rechercher");
}

QString RaccourciRecherche::messageRefus(const QKeySequence& touche,
                                         const QKeySequence& enVigueur) {
    QString message = QStringLiteral("Le raccourci de recherche %1 est déjà utilisé par un autre "
                                     "programme : Dalvire ne peut pas le prendre.")
                          .arg(touche.toString(QKeySequence::NativeText));
    if (!enVigueur.isEmpty())
        message += QStringLiteral(" Le raccourci %1 reste en vigueur.")
                       .arg(enVigueur.toString(QKeySequence::NativeText));
    // The command on a line of its own: a line may end after its hyphens, and characters
    // that would hold it together would go with it when the text is copied.
    return message +
           QStringLiteral("\r\nChoisissez-en un autre dans les paramètres, ou associez "
                          "à une touche, dans les réglages du clavier de votre "
                          "bureau, la commande :\r\n") +
           commande();
}

bool RaccourciRecherche::prendre(Contexte& contexte, const QKeySequence& touche, QWidget* parent,
                                 const QKeySequence& enVigueur) {
    ServiceRaccourciGlobal& raccourci = contexte.raccourciGlobal();
    if (raccourci.prendre(touche) != ServiceRaccourciGlobal::Prise::Refusee) return true;
    if (!enVigueur.isEmpty()) raccourci.prendre(enVigueur);
    contexte.messages().afficher(messageRefus(touche, enVigueur), IconeMessage::Exclamation,
                                 BoutonsMessage::OK, QStringLiteral("Dalvire"), parent);
    return false;
}
