#pragma once

#include "platform/Shell.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class Contexte;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

// The Open With chooser: the installed applications that declare the type of a file or
// of a link, or every application on request, and opening it with the one picked. A link
// stays a link: shown whole, handed on as it is, remembered for its scheme.
class frmOuvrirAvec : public QDialog {
    Q_OBJECT
public:
    frmOuvrirAvec(Contexte& contexte, const QString& cheminOuLien, QWidget* parent = nullptr);
    ~frmOuvrirAvec() override;

    // What "always" makes the choice the default for; empty when nothing fits.
    const QString& typeContenu() const { return choix_.type; }
    // The desktop entry ids of the listed applications, in list order.
    QStringList applicationsListees() const;
    // Selects the listed application with that id; false when it is not listed.
    bool choisir(const QString& idApplication);
    // The id of the selected application, or an empty text.
    QString applicationChoisie() const;
    // Opens the file or the link with the selected application and, when the user asked
    // so, makes it the default one for the type. An application that cannot be started
    // is named in a message. False when nothing was started.
    bool ouvrirAvecLeChoix();

    // "Ouvrir" (or a double click): the chooser closes once the application has started,
    // and stays open after a failure so that another one can be picked.
    void accept() override;

private:
    void remplir();
    void majBoutons();

    QLabel* lblInvite = nullptr;
    QLabel* lblFichier = nullptr;
    QListWidget* lstApplications = nullptr;
    QCheckBox* chkToutes = nullptr;
    QCheckBox* chkToujours = nullptr;
    QPushButton* cmdOuvrir = nullptr;
    QPushButton* cmdAnnuler = nullptr;

    Contexte& contexte_;
    QString cible_;
    ChoixOuverture choix_;
    // The listed applications, in list order.
    QList<ApplicationProposee> applications_;
};
