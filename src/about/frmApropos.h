#pragma once

#include "core/Fenetres.h"

#include <QDialog>
#include <QStringList>

#include <array>

class Contexte;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Where the system-information tool is looked for. This platform has no registry: the
// one value known is the path of the first system-information program found in the
// search path, among the tools of the usual desktops.
namespace InfosSysteme {
inline const QString Cle = QStringLiteral("outils partages/informations systeme");
inline const QString Valeur = QStringLiteral("PATH");
// Program names, best first.
QStringList Programmes();
} // namespace InfosSysteme

// "Vous utilisez ce programme depuis 1 jour" (also for 0), "... depuis 2 jours".
QString Texte_Jours_Utilisation(const QString& joursUtilisation);

// The About box: maker, version, description, days of use, the maker's links and the
// system-information tool. It writes nothing.
class frmApropos : public QDialog {
    Q_OBJECT
public:
    explicit frmApropos(Contexte& contexte, QWidget* parent = nullptr);
    ~frmApropos() override;

    // Reads a value of the system; false, with an empty text, for one it does not have.
    bool GetKeyValue(const QString& cle, const QString& nomValeur, QString& valeur) const;
    // Folders searched for the tool; empty for the PATH of the environment.
    QStringList cheminsRecherche;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;

private:
    void StartSysInfo();
    void lblUrl_Click(int index);
    void lblJours_Click();

    void creerControles();
    void Form_Load();
    bool Form_KeyDown(const QKeyEvent* evenement);
    void souligner(int index);

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QPlainTextEdit* txtInformations = nullptr;
    // Indices 0, 1 and 3 are used.
    std::array<QLabel*, 4> Label3{};
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> lblUrl{};
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* lblJours = nullptr;

    Contexte& contexte_;
    InscriptionFenetre inscription_;
};
