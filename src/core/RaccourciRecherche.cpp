#include "core/RaccourciRecherche.h"

#include "core/ClesParametres.h"
#include "core/Contexte.h"
#include "platform/Messages.h"
#include "platform/RaccourciGlobal.h"

QKeySequence RaccourciRecherche::lire(const StockParametres& parametres) {
    const QString texte = parametres.lire(Cle::RaccourciRecherche).trimmed();
    if (texte.isEmpty()) return QKeySequence(ParDefaut, QKeySequence::PortableText);
    if (texte.compare(Aucun, Qt::CaseInsensitive) == 0) return {};
    const QKeySequence touche(texte, QKeySequence::PortableText);
    // One key only: a damaged text that Qt reads as a chain of keys names none.
    if (touche.count() != 1 || touche[0].key() == Qt::Key_unknown) return {};
    return touche;
}

void RaccourciRecherche::ecrire(StockParametres& parametres, const QKeySequence& touche) {
    parametres.ecrire(
        Cle::RaccourciRecherche,
        touche.isEmpty() ? Aucun : QKeySequence(touche[0]).toString(QKeySequence::PortableText));
}

QString RaccourciRecherche::messageRefus(const QKeySequence& touche) {
    return QStringLiteral("Le raccourci de recherche %1 est déjà utilisé par un autre "
                          "programme : Dalvire ne peut pas le prendre.\r\n"
                          "Choisissez-en un autre dans les paramètres, ou associez la "
                          "commande « dalvire --rechercher » à une touche dans les réglages "
                          "du clavier de votre bureau.")
        .arg(touche.toString(QKeySequence::NativeText));
}

void RaccourciRecherche::prendre(Contexte& contexte, const QKeySequence& touche, QWidget* parent) {
    if (contexte.raccourciGlobal().prendre(touche) != ServiceRaccourciGlobal::Prise::Refusee)
        return;
    contexte.messages().afficher(messageRefus(touche), IconeMessage::Exclamation,
                                 BoutonsMessage::OK, QStringLiteral("Dalvire"), parent);
}
