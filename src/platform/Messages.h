#pragma once

#include <QString>

class QWidget;

enum class IconeMessage { Aucune, Information, Exclamation, Critique, Question };
enum class BoutonsMessage { OK, OKAnnuler, OuiNon, OuiNonAnnuler };
enum class ReponseMessage { OK, Annuler, Oui, Non };

struct Message {
    QString texte;
    IconeMessage icone = IconeMessage::Information;
    BoutonsMessage boutons = BoutonsMessage::OK;
    QString titre = QStringLiteral("Dalvire");
};

// Every message box of the program goes through this one seam, so that tests can
// answer them with a script and read back exactly what the user would have seen.
class ServiceMessages {
public:
    virtual ~ServiceMessages() = default;
    virtual ReponseMessage afficher(QWidget* parent, const Message& message) = 0;

    ReponseMessage afficher(const QString& texte, IconeMessage icone,
                            BoutonsMessage boutons = BoutonsMessage::OK,
                            const QString& titre = QStringLiteral("Dalvire"),
                            QWidget* parent = nullptr) {
        return afficher(parent, Message{texte, icone, boutons, titre});
    }
};
