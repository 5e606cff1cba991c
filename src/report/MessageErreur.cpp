#include "report/MessageErreur.h"
#include "base/Textes.h"

#include "core/Contexte.h"
#include "platform/Messages.h"
#include "report/frmOCRE.h"

#include <QApplication>

namespace {

// The report tool already open over this context: the caller's own window, or a tool
// shown elsewhere.
frmOCRE* outilOuvert(const Contexte& contexte, QWidget* parent) {
    for (QWidget* w = parent; w != nullptr; w = w->parentWidget())
        if (auto* outil = qobject_cast<frmOCRE*>(w); outil && &outil->contexte() == &contexte)
            return outil;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* outil = qobject_cast<frmOCRE*>(w);
            outil && outil->isVisible() && &outil->contexte() == &contexte)
            return outil;
    return nullptr;
}

QString texteErreur(int numero, const QString& description) {
    return QStringLiteral("[Erreur No:") + QString::number(numero) + QLatin1Char(']') +
           SautDeLigne + description;
}

QString programme(const Contexte& contexte) {
    return QStringLiteral("Dalvire") + QStringLiteral(" - ") + contexte.TexteVersion;
}

} // namespace

QString Question_Erreur(int numero) {
    return QStringLiteral(
               "Une erreur est intervenue dans le déroulement de l'application. Il se peut que "
               "cette erreur soit normale car, provoquée lors d'une ") +
           QStringLiteral("manipulation incorrecte ou bien encore comme par exemple,lors d'acces "
                          "à un fichier ou un lecteur de disque inexistant.") +
           QStringLiteral("Toutefois, si vous estimez que celle-ci découle d'un problème lié au "
                          "logiciel lui-même et intervient relativement souvent ") +
           QStringLiteral("en éxécutant la même opération, vous pouvez m'envoyer un rapport "
                          "d'erreur [Erreur No:") +
           QString::number(numero) + QStringLiteral("].") + SautDeLigne +
           QStringLiteral("Désirez-vous envoyer un rapport d'erreur maintenant ?");
}

void Message_Erreur(Contexte& contexte, QWidget* parent, int numero, const QString& description) {
    if (contexte.messages().afficher(parent,
                                     Message{Question_Erreur(numero), IconeMessage::Question,
                                             BoutonsMessage::OuiNon}) != ReponseMessage::Oui)
        return;
    // An error met while the tool is open goes under the one being reported.
    if (frmOCRE* ouvert = outilOuvert(contexte, parent)) {
        ouvert->ajouterErreur(programme(contexte), texteErreur(numero, description));
        return;
    }
    frmOCRE outil(contexte, parent);
    outil.ajouterErreur(programme(contexte), texteErreur(numero, description));
    outil.exec();
}
