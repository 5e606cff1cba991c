#include "manage/RefusCatalogue.h"

#include "core/Contexte.h"
#include "platform/Messages.h"

void Message_Erreur_Gestion(Contexte& contexte, QWidget* parent, const QString& texte, int numero) {
    contexte.messages().afficher(
        numero < 0 ? texte : texte + QStringLiteral(" (erreur %1)").arg(numero),
        IconeMessage::Critique, BoutonsMessage::OK, QStringLiteral("Dalvire"), parent);
}
