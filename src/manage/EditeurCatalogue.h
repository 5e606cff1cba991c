#pragma once

#include "manage/Gestion.h"

#include <QDialog>
#include <QString>

#include <array>

class Contexte;
class QLineEdit;
class QPushButton;

// What the category and program editors share: the name field and the three buttons,
// the load by mode, the duplicate refusal, the save with its report and its failures, and
// "another one?" in create mode. Each editor gives its texts, its checks and its row.
class EditeurCatalogue : public QDialog {
    Q_OBJECT
public:
    // The texts of one editor, by what it edits ("La catégorie [" … "] a été modifiée.").
    struct Textes {
        QString titreAjout;
        QString titreModification;
        QString article;
        QString articleNouveau;
        QString modifie;
        QString enregistre;
        QString nonModifie;
        QString nonEnregistre;
        QString introuvable;
        QString doublon;
        QString encore;
    };

    bool modeModification() const { return mode_ == ModeEditeur::Modification; }

Q_SIGNALS:
    // A row written, by its name: the new one, or the one changed.
    void ligneEnregistree(const QString& nom);

protected:
    // In modify mode, nom is the row to change, as stored.
    EditeurCatalogue(Contexte& contexte, ModeEditeur mode, QString nom, Textes textes,
                     QWidget* parent);

    // The name field and its caption, in twips.
    void creerNom(const QString& bulle, int gauche, int largeur, int gaucheLegende,
                  int largeurLegende);
    // "A&ide", "&Valider", "&Annuler" on one line.
    void creerBoutons(int gaucheAide, int gaucheValider, int gaucheAnnuler, int haut);
    // Called by each editor once built: placed, titled and filled by its mode.
    void Form_Load();

    // Modify mode: the fields filled from the row, and the field the focus goes to then.
    virtual void remplir() = 0;
    virtual QWidget* premierChamp() const = 0;
    // Every check of the input, in the editor's order; false once one has said why.
    virtual bool saisieValide() = 0;
    // Writes the row; the rows changed (0: none). Throws ErreurCatalogue.
    virtual int ecrire(const QString& nom) = 0;
    // Create mode, after "another one?": the fields a new row starts from.
    virtual void vider();
    virtual void noterEnregistrement(const QString&) {}

    void informer(const QString& texte);
    // Create mode: the name trimmed; false, and said, when nothing is left.
    bool nomSaisi(const QString& messageVide);
    // False, and the duplicate refused, when a name equals the typed one as the catalogue
    // compares names (letter case and Unicode form aside): ligne is that name's row, or -1.
    bool nomLibre(int ligne);
    void refuserDoublon();
    static void Selectionner_Tout(QLineEdit* champ);

    Contexte& contexte_;
    // In modify mode, the name of the row being changed, as stored.
    QString nomEnregistre_;

    QLineEdit* txtNom = nullptr;
    // 0 "&Valider", 1 "&Annuler", 2 "A&ide".
    std::array<QPushButton*, 3> Bouton{};

private:
    void Bouton_Click(int index);
    void valider();
    bool enregistrer(const QString& nom);

    ModeEditeur mode_;
    Textes textes_;
};
