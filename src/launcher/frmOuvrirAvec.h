#pragma once

#include "platform/ShellGioOutils.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

// The Open With chooser: the installed applications that declare the file's content
// type, or every application on request, and opening the file with the one picked.
class frmOuvrirAvec : public QDialog {
    Q_OBJECT
public:
    frmOuvrirAvec(const QString& chemin, const QString& dossierApplication,
                  QWidget* parent = nullptr);
    ~frmOuvrirAvec() override;

    const QString& typeContenu() const { return type_; }
    // The desktop entry ids of the listed applications, in list order.
    QStringList applicationsListees() const;
    // Selects the listed application with that id; false when it is not listed.
    bool choisir(const QString& idApplication);
    // The selected application, or null.
    GAppInfo* applicationChoisie() const;
    // Opens the file with the selected application, making it the default one for the
    // content type first when the user asked so. False when nothing could be started.
    bool ouvrirAvecLeChoix();

    QLabel* lblInvite = nullptr;
    QLabel* lblFichier = nullptr;
    QListWidget* lstApplications = nullptr;
    QCheckBox* chkToutes = nullptr;
    QCheckBox* chkToujours = nullptr;
    QPushButton* cmdOuvrir = nullptr;
    QPushButton* cmdAnnuler = nullptr;

private:
    void remplir();
    void majBoutons();

    QString chemin_;
    QString type_;
    std::vector<Gio::Objet<GAppInfo>> applications_;
};
