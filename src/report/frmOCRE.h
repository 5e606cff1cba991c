#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>

class Contexte;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextDocument;
class QToolButton;

// The error-report tool: the user describes a problem and saves the report as HTML, text
// or RTF, prints it or mails it to the maker. Every output is built from one rich-text
// document made anew from the template each time.
class frmOCRE : public QDialog {
    Q_OBJECT
public:
    explicit frmOCRE(Contexte& contexte, QWidget* parent = nullptr);
    ~frmOCRE() override;

    static QStringList Liste_Programmes();

    // The sender's fields: index 1 (the address) has several lines.
    QString texteExpediteur(int index) const;
    void definirExpediteur(int index, const QString& texte);
    // What each description field shows at the start and counts as empty.
    const QString& invite(int index) const { return invites_.at(index); }

    void Charger_Modele();
    void Remplir_Rapport();
    // False when the file could not be written (then reported through Message_Erreur).
    bool Ecrire_Html(const QString& chemin);
    void Ouvrir_Fichier(const QString& chemin, const QString& verbe);

    void cmdEnregistrer_Click();
    void cmdImprimer_Click();
    void cmdMail_Click();
    void Bouton_Click(int index);

    // Names the program in its field and adds an error to the error messages described,
    // under those the user wrote; the field's prompt gives way to it.
    void ajouterErreur(const QString& programme, const QString& erreur);

    Contexte& contexte() const { return contexte_; }
    // The report document, never shown.
    QTextDocument* RTF = nullptr;

protected:
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    void creerControles();
    void Form_Load();
    void Construire_Rapport();
    bool programmeChoisi();

    // Indices 0 to 3 and 13 are used.
    std::array<QLabel*, 14> Label1{};
    QComboBox* cboProgramme = nullptr;
    std::array<QPlainTextEdit*, 3> txtErreur{};
    std::array<QWidget*, 8> txtExpediteur{};
    std::array<QLabel*, 8> lblExpediteur{};
    std::array<QGroupBox*, 3> Frame{};
    QToolButton* cmdEnregistrer = nullptr;
    QToolButton* cmdImprimer = nullptr;
    QToolButton* cmdMail = nullptr;
    // 0 "&Quitter", 1 "&Aide".
    std::array<QPushButton*, 2> Bouton{};

    Contexte& contexte_;
    std::array<QString, 3> invites_;
};
