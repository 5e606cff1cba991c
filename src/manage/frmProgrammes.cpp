#include "manage/frmProgrammes.h"

#include "base/Nombres.h"
#include "base/Twips.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Collation.h"
#include "core/Contexte.h"
#include "core/Liens.h"
#include "core/Services.h"
#include "manage/RefusCatalogue.h"
#include "manage/frmApplications.h"
#include "platform/Dialogues.h"
#include "platform/Messages.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Curseur.h"
#include "ui/ListesDeroulantes.h"
#include "ui/ModelesCatalogue.h"
#include "ui/ToucheAide.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <limits>

using namespace Controles;

namespace {

// The selected line; a line that is only current (as a list makes its first one when it
// gets the focus) is not a choice.
int Ligne_Choisie(const QListWidget* liste) {
    const QListWidgetItem* ligne = liste->currentItem();
    return ligne && ligne->isSelected() ? liste->row(ligne) : -1;
}

// The position a stored code stands for in a list of n lines: the value it names, or for
// a text that names none, the number read from it (" 1" stands for 1) when it is one of
// them; none (-1) otherwise.
template <typename Valeur> int Position_Code(const CodeStocke<Valeur>& code, int n) {
    const qint64 v =
        code.valeur() ? static_cast<qint64>(*code.valeur()) : Valeur_Entiere(code.texte());
    return v >= 0 && v < n ? static_cast<int>(v) : -1;
}

QRadioButton* Option(const std::array<QRadioButton*, 4>& options, TypeElement type) {
    return options.at(static_cast<std::size_t>(type));
}

} // namespace

frmProgrammes::frmProgrammes(Contexte& contexte, ModeEditeur mode, const QString& nom,
                             QWidget* parent)
    : EditeurCatalogue(
          contexte, mode, nom,
          {.titreAjout = QStringLiteral("Ajouter un Programme"),
           .titreModification = QStringLiteral("Modifier un Programme"),
           .article = QStringLiteral("Le programme ["),
           .articleNouveau = QStringLiteral("Le nouveau programme ["),
           .modifie = QStringLiteral("] a été modifié."),
           .enregistre = QStringLiteral("] a été enregistré."),
           .nonModifie = QStringLiteral("] n'a pas pu être modifié."),
           .nonEnregistre = QStringLiteral("] n'a pas pu être enregistré."),
           .introuvable = QStringLiteral("] n'a pas pu être modifié : il n'a pas été trouvé "
                                         "(supprimé ou renommé entre-temps)."),
           .doublon = QStringLiteral("Un programme du même nom existe déjà.\r\nSaisissez un "
                                     "autre nom pour le nouveau programme."),
           .encore = QStringLiteral("Désirez-vous saisir un nouveau programme ?")},
          parent) {
    creerControles();
    new ToucheAide(contexte_, this, [this] {
        return modeModification() ? RubriqueAide::ModifierProgramme : RubriqueAide::CreerProgramme;
    });
    Form_Load();
}

frmProgrammes::~frmProgrammes() = default;

void frmProgrammes::creerControles() {
    Preparer_Dialogue(this, QStringLiteral("Programmes"), 6690, 3390);

    Frame1 = new QGroupBox(this);
    Frame1->setAccessibleName(QStringLiteral("TYPE"));
    Placer(Frame1, 120, 60, 1395, 2715);
    QLabel* titre = Etiquette(Frame1, QStringLiteral("TYPE"), 120, 120, 1155);
    QFont gras = titre->font();
    gras.setBold(true);
    titre->setFont(gras);
    const std::array<QString, 4> types{QStringLiteral("Programme"), QStringLiteral("Fichier"),
                                       QStringLiteral("Lien\nInternet"), QStringLiteral("E-Mail")};
    const std::array<int, 4> hauts{540, 1020, 1500, 2160};
    for (int i = 0; i < 4; ++i) {
        optType[i] = new QRadioButton(types[i], Frame1);
        Decrire(optType[i], QStringLiteral("Type du programme"),
                QString(types[i]).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        Placer(optType[i], 120, hauts[i], 1215, i == 2 ? 495 : 255);
        connect(optType[i], &QRadioButton::toggled, this, [this, i](bool coche) {
            if (coche) optType_Click(static_cast<TypeElement>(i));
        });
    }

    creerNom(QStringLiteral("Nom du programme"), 2985, 3585, 1620, 1350);

    txtChemin = new QLineEdit(this);
    txtChemin->setMaxLength(255);
    Decrire(txtChemin, QStringLiteral("Chemin du programme"));
    Placer(txtChemin, 2985, 540, 1965, 315);
    Legende(this, QStringLiteral("Chemin:"), txtChemin, 1620, 600, 1350);
    cmdApplications = Controles::Bouton(this, QStringLiteral("Applications..."),
                                        QStringLiteral("Choisir une application installée"), 5010,
                                        540, 1200, 315);
    cmdChemin =
        Bouton_Image(this, Dossier_Application(contexte_) + QStringLiteral("icones/parcourir.svg"),
                     QStringLiteral("Rechercher un programme"), 6255, 540, 315, 315);

    cboCategorie = new ListeDeroulante(this);
    cboCategorie->setEditable(false);
    cboCategorie->setModel(new ModeleCategories(contexte_.modele(), {}, cboCategorie));
    cboCategorie->setCurrentIndex(-1);
    Decrire(cboCategorie, QStringLiteral("Catégorie du programme"));
    Placer(cboCategorie, 2985, 960, 3585, 315);
    Legende(this, QStringLiteral("Catégorie:"), cboCategorie, 1620, 1020, 1350);

    lstAffichage = new QListWidget(this);
    lstAffichage->addItems({QStringLiteral("0 - MINIMUM"), QStringLiteral("1 - NORMAL"),
                            QStringLiteral("2 - MAXIMUM")});
    lstAffichage->setCurrentRow(-1);
    Decrire(lstAffichage, QStringLiteral("Mode d'affichage du programme"));
    Placer(lstAffichage, 2985, 1380, 3585, 1260);
    Legende(this, QStringLiteral("Mode d'affichage:"), lstAffichage, 1620, 1440, 1350);

    creerBoutons(1680, 4140, 5415, 2880);
    connect(cmdChemin, &QPushButton::clicked, this, &frmProgrammes::cmdChemin_Click);
    connect(cmdApplications, &QPushButton::clicked, this, &frmProgrammes::cmdApplications_Click);
    optType[0]->setChecked(true);

    setTabOrder(txtNom, txtChemin);
    setTabOrder(txtChemin, cmdApplications);
    setTabOrder(cmdApplications, cmdChemin);
    setTabOrder(cmdChemin, cboCategorie);
    setTabOrder(cboCategorie, lstAffichage);
    setTabOrder(lstAffichage, Bouton[2]);
    setTabOrder(Bouton[2], Bouton[0]);
    setTabOrder(Bouton[0], Bouton[1]);
    setTabOrder(Bouton[1], optType[0]);

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w :
         std::initializer_list<QWidget*>{cmdChemin, cmdApplications, cboCategorie, lstAffichage,
                                         Bouton[0], Bouton[1], Bouton[2]})
        w->setCursor(main);
    for (QRadioButton* o : optType)
        o->setCursor(main);
}

QWidget* frmProgrammes::premierChamp() const {
    return txtChemin;
}

void frmProgrammes::Remplir_Programme() {
    const std::optional<Element> element = contexte_.modele().element(nomEnregistre_);
    if (!element) return;
    txtChemin->setText(element->chemin);
    lstAffichage->setCurrentRow(Position_Code(element->mode, lstAffichage->count()));
    // A type that names none shows, and is saved, as a program.
    const int type = Position_Code(element->type, 4);
    optType[static_cast<std::size_t>(type >= 0 ? type : 0)]->setChecked(true);
    const QString categorie = element->categorie.toLower();
    for (int i = 0; i < cboCategorie->count(); ++i)
        if (cboCategorie->itemText(i).toLower() == categorie) {
            cboCategorie->setCurrentIndex(i);
            break;
        }
}

void frmProgrammes::optType_Click(TypeElement type) {
    cmdChemin->setEnabled(type == TypeElement::Programme || type == TypeElement::Fichier);
    cmdApplications->setEnabled(type == TypeElement::Programme);
}

void frmProgrammes::cmdApplications_Click() {
    frmApplications choix(contexte_, this);
    if (choix.exec() != QDialog::Accepted || !choix.choisie()) return;
    const ApplicationProposee application = *choix.choisie();
    txtChemin->setText(application.fichier);
    if (txtNom->text().isEmpty() && !modeModification())
        txtNom->setText(application.nom.left(txtNom->maxLength()));
}

void frmProgrammes::proposer(const ElementPropose& element) {
    if (modeModification()) return;
    if (element.type >= 0 && element.type < 4)
        optType[static_cast<std::size_t>(element.type)]->setChecked(true);
    txtNom->setText(element.nom.left(txtNom->maxLength()));
    txtChemin->setText(element.chemin);
    for (int i = 0; i < cboCategorie->count(); ++i)
        if (Collation::comparer(cboCategorie->itemText(i), element.categorie) == 0) {
            cboCategorie->setCurrentIndex(i);
            break;
        }
    // Started as any program usually is; the user may choose otherwise.
    lstAffichage->setCurrentRow(1);
    txtNom->setFocus();
    txtNom->selectAll();
}

void frmProgrammes::cmdChemin_Click() {
    DemandeOuverture demande;
    demande.titre = QStringLiteral("Rechercher un programme...");
    if (Option(optType, TypeElement::Programme)->isChecked()) {
        demande.filtres = {QStringLiteral("Programmes (*)"),
                           QStringLiteral("Tous les fichiers (*)")};
        demande.executablesSeulement = true;
    } else {
        demande.filtres = {QStringLiteral("Tous les fichiers (*)")};
    }
    const std::optional<QString> fichier = contexte_.dialogues().fichierAOuvrir(this, demande);
    if (!fichier || fichier->isEmpty()) return;
    txtChemin->setText(*fichier);
    if (txtNom->text().isEmpty() && !modeModification())
        txtNom->setText(QFileInfo(*fichier).fileName());
}

bool frmProgrammes::cheminValide() {
    const QString chemin = txtChemin->text();
    QString message;
    if (Option(optType, TypeElement::Programme)->isChecked()) {
        if (!Fichier_Existe(chemin))
            message = QStringLiteral("Vous devez saisir un chemin valide pour le programme.");
    } else if (Option(optType, TypeElement::Fichier)->isChecked()) {
        // A folder is a document too: the file manager opens it.
        if (!Fichier_Existe(chemin) && !QFileInfo(chemin).isDir())
            message = QStringLiteral("Vous devez saisir un chemin valide pour le fichier à "
                                     "éxécuter.");
    } else if (Option(optType, TypeElement::LienInternet)->isChecked()) {
        if (!Lien_Internet_Valide(chemin))
            message = QStringLiteral("Vous devez saisir un lien Internet valide.");
    } else if (Option(optType, TypeElement::Mail)->isChecked() && !Adresse_Mail_Valide(chemin)) {
        txtChemin->setText(QStringLiteral("mailto:") + chemin);
    }
    if (message.isEmpty()) return true;
    informer(message);
    Selectionner_Tout(txtChemin);
    return false;
}

bool frmProgrammes::saisieValide() {
    if (!nomSaisi(QStringLiteral("Vous devez saisir un nom pour le programme."))) return false;
    txtChemin->setText(txtChemin->text().trimmed());
    if (txtChemin->text().isEmpty()) {
        informer(QStringLiteral("Vous devez saisir un chemin pour le programme."));
        txtChemin->setFocus();
        return false;
    }
    if (!cheminValide()) return false;
    if (!modeModification() && !nomLibre(contexte_.modele().ligneElement(txtNom->text())))
        return false;
    if (cboCategorie->currentIndex() < 0) {
        informer(QStringLiteral("Sélectionnez une catégorie pour le programme."));
        cboCategorie->setFocus();
        return false;
    }
    if (!modeChoisi()) {
        informer(QStringLiteral("Sélectionnez un mode d'affichage pour le programme."));
        lstAffichage->setFocus();
        return false;
    }
    if (!typeChoisi()) {
        informer(QStringLiteral("Sélectionnez un type pour le programme."));
        return false;
    }
    return true;
}

std::optional<TypeElement> frmProgrammes::typeChoisi() const {
    for (std::size_t i = 0; i < optType.size(); ++i)
        if (optType.at(i)->isChecked()) return static_cast<TypeElement>(i);
    return std::nullopt;
}

std::optional<ModeAffichage> frmProgrammes::modeChoisi() const {
    const int ligne = Ligne_Choisie(lstAffichage);
    if (ligne < 0) return std::nullopt;
    return static_cast<ModeAffichage>(ligne);
}

void frmProgrammes::vider() {
    txtNom->clear();
    txtChemin->clear();
}

void frmProgrammes::noterEnregistrement(const QString& nom) {
    // The starts of an item go with its name, should the stored one ever change.
    if (modeModification()) contexte_.utilisations().renommer(nomEnregistre_, nom);
    ++enregistres_;
}

int frmProgrammes::ecrire(const QString& nom) {
    // Both chosen: the input was checked.
    const Element element{nom, txtChemin->text(), cboCategorie->currentText(),
                          modeChoisi().value_or(ModeAffichage::Normal),
                          typeChoisi().value_or(TypeElement::Programme)};
    ModeleCatalogue& modele = contexte_.modele();
    return modeModification() ? modele.modifier(element) : modele.ajouter(element);
}

bool Ajouter_Element_Propose(Contexte& contexte, const ElementPropose& element, QWidget* parent) {
    // The categories as the catalogue holds them now: another tool may have changed them.
    try {
        contexte.modele().rechargerSiModifie();
    } catch (const ErreurCatalogue&) {
        // The categories offered are those last read; the catalogue checks the save.
    }
    frmProgrammes editeur(contexte, ModeEditeur::Creation, QString(), parent);
    editeur.proposer(element);
    editeur.exec();
    contexte.catalogue().liberer();
    return editeur.enregistres() > 0;
}
