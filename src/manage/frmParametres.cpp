#include "manage/frmParametres.h"

#include "base/Twips.h"
#include "core/BaseRegistre.h"
#include "core/Contexte.h"
#include "core/RaccourciRecherche.h"
#include "core/Reglages.h"
#include "core/Services.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Curseur.h"
#include "ui/ListesDeroulantes.h"
#include "ui/ToucheAide.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr int DelaiMinimum = 1;
constexpr int DelaiMaximum = 60;

const QString TexteDelai = QStringLiteral("Délai de fermeture d'affichage ");
const QString TexteRaccourci = QStringLiteral("Raccourci de recherche");

// Rows below the settings: the etched line, then the buttons.
constexpr int HautTrait = 1980;
constexpr int HautBoutons = 2160;

// Records one key with its modifiers, the last one pressed. Tab and Shift+Tab still move
// the focus (Qt's field lets them through), Escape and Enter still reach the dialog;
// Backspace and Delete leave no key.
class ChampRaccourci final : public QKeySequenceEdit {
public:
    using QKeySequenceEdit::QKeySequenceEdit;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (Touche_Du_Dialogue(*e)) {
            if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) {
                clear();
                e->accept();
            } else {
                e->ignore();
            }
            return;
        }
        // A modifier alone is no key yet: the field would empty itself on it.
        if (Modificateur_Seul(e->key())) {
            e->accept();
            return;
        }
        QKeySequenceEdit::keyPressEvent(e);
        const QKeySequence suite = keySequence();
        // Ends the recording too: the next press starts a new key.
        if (!suite.isEmpty()) setKeySequence(QKeySequence(suite[suite.count() - 1]));
    }

private:
    static bool Modificateur_Seul(int cle) {
        return cle == Qt::Key_Control || cle == Qt::Key_Shift || cle == Qt::Key_Alt ||
               cle == Qt::Key_Meta || cle == Qt::Key_AltGr || cle == Qt::Key_Super_L ||
               cle == Qt::Key_Super_R || cle == Qt::Key_unknown;
    }

    static bool Touche_Du_Dialogue(const QKeyEvent& k) {
        if (k.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return false;
        switch (k.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return true;
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            return !(k.modifiers() & Qt::ShiftModifier);
        default:
            return false;
        }
    }
};

QCheckBox* caseACocher(QWidget* parent, const QString& texte, int haut) {
    auto* c = new QCheckBox(texte, parent);
    c->setToolTip(texte);
    c->setGeometry(Twips::rectEnPixels(120, haut, 4920, 300));
    return c;
}

QPushButton* bouton(QWidget* parent, const QString& texte, const QString& bulle, int gauche,
                    int largeur) {
    auto* b = new BoutonMarque(texte, parent);
    b->setToolTip(bulle);
    b->setGeometry(Twips::rectEnPixels(gauche, HautBoutons, largeur, 375));
    return b;
}

QFrame* trait(QWidget* parent, const QColor& couleur, int decalagePixels) {
    auto* f = new QFrame(parent);
    f->setAutoFillBackground(true);
    QPalette p = f->palette();
    p.setColor(QPalette::Window, couleur);
    f->setPalette(p);
    f->setGeometry(Twips::enPixelsX(60), Twips::enPixelsY(HautTrait) + decalagePixels,
                   Twips::enPixelsX(4980 - 60), 1);
    return f;
}

} // namespace

frmParametres::frmParametres(Contexte& contexte, QWidget* parent)
    : QDialog(parent, Cadre_Dialogue)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, Tag::Parametres) {
    creerControles();
    new ToucheAide(contexte_, this, [] { return RubriqueAide::Parametres; });
    Form_Load();
}

frmParametres::~frmParametres() = default;

void frmParametres::creerControles() {
    Preparer_Dialogue(this, QStringLiteral("Paramètres"), 5160, 2610);

    chkDemarragePC =
        caseACocher(this, QStringLiteral("Démarrer le programme au démarrage de l'ordinateur"), 60);
    chkPlan = caseACocher(this, QStringLiteral("Afficher les catégories au premier plan"), 420);
    chkFermeture = caseACocher(
        this, QStringLiteral("Demander la confirmation de la fermeture du programme"), 780);

    Label1[0] = new QLabel(TexteDelai, this);
    Label1[0]->setGeometry(Twips::rectEnPixels(120, 1200, 2400, 255));
    cboSecondes = new ListeDeroulante(this);
    cboSecondes->setEditable(false);
    cboSecondes->setToolTip(TexteDelai);
    cboSecondes->setGeometry(Twips::rectEnPixels(2580, 1140, 795, 315));
    Borner_Liste_Deroulante(*cboSecondes);
    Label1[1] = new QLabel(QStringLiteral("seconde(s)"), this);
    Label1[1]->setGeometry(Twips::rectEnPixels(3480, 1200, 1560, 255));
    // The list is read with the caption before it and the unit after it.
    Label1[0]->setBuddy(cboSecondes);
    Label1[1]->setBuddy(cboSecondes);
    cboSecondes->setAccessibleName(TexteDelai.trimmed());

    lblRaccourci = new QLabel(TexteRaccourci, this);
    lblRaccourci->setGeometry(Twips::rectEnPixels(120, 1620, 2400, 255));
    txtRaccourci = new ChampRaccourci(this);
    txtRaccourci->setClearButtonEnabled(true);
    txtRaccourci->setToolTip(TexteRaccourci);
    txtRaccourci->setAccessibleName(TexteRaccourci);
    txtRaccourci->setGeometry(Twips::rectEnPixels(2580, 1560, 2460, 315));
    lblRaccourci->setBuddy(txtRaccourci);
    // The editable part inside the field is what a screen reader lands on, and the clear
    // button is a control of its own: both named.
    for (QLineEdit* partie : txtRaccourci->findChildren<QLineEdit*>()) {
        partie->setAccessibleName(TexteRaccourci);
        // Said in French whether or not Qt's own translations (its "Press shortcut") are there.
        partie->setAccessibleDescription(QStringLiteral("Appuyez sur le raccourci"));
    }
    for (QToolButton* effacer : txtRaccourci->findChildren<QToolButton*>()) {
        effacer->setToolTip(QStringLiteral("Effacer le raccourci"));
        effacer->setAccessibleName(effacer->toolTip());
    }

    // Etched separator: a dark line with a white one just beneath it.
    Line2 = trait(this, palette().color(QPalette::Dark), 0);
    Line1 = trait(this, Qt::white, 1);

    Boutons[2] = bouton(this, QStringLiteral("&Enregistrer les paramètres"),
                        QStringLiteral("Enregistrer les paramètres"), 60, 2460);
    Boutons[0] = bouton(this, QStringLiteral("&Aide"), QStringLiteral("Aide"), 2580, 1215);
    Boutons[1] = bouton(this, QStringLiteral("A&nnuler"), QStringLiteral("Annuler"), 3840, 1215);
    Boutons[2]->setDefault(true);

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w :
         std::initializer_list<QWidget*>{chkDemarragePC, chkPlan, chkFermeture, cboSecondes,
                                         txtRaccourci, Boutons[0], Boutons[1], Boutons[2]})
        w->setCursor(main);
    for (int i = 0; i < static_cast<int>(Boutons.size()); ++i)
        connect(Boutons[i], &QPushButton::clicked, this, [this, i] { Boutons_Click(i); });
}

void frmParametres::Form_Load() {
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);

    cboSecondes->clear();
    for (int s = DelaiMinimum; s <= DelaiMaximum; ++s)
        cboSecondes->addItem(QString::number(s));

    const Reglages& reglages = contexte_.reglages();
    chkDemarragePC->setChecked(reglages.demarrageAvecSession());
    chkFermeture->setChecked(reglages.confirmationFermeture());
    chkPlan->setChecked(reglages.premierPlan());
    // A delay the list cannot show is shown as the nearest one it holds.
    const int delai = qBound(DelaiMinimum, reglages.delaiFermeture(), DelaiMaximum);
    cboSecondes->setCurrentIndex(delai - DelaiMinimum);
    txtRaccourci->setKeySequence(reglages.raccourciRecherche());
}

void frmParametres::Boutons_Click(int index) {
    switch (index) {
    case 0:
        Envoyer_Touche_F1(Boutons[0]);
        break;
    case 1:
        reject();
        break;
    case 2:
        enregistrer();
        break;
    default:
        break;
    }
}

void frmParametres::enregistrer() {
    Reglages& reglages = contexte_.reglages();
    // The key first: one another program holds leaves the key in force held and stored,
    // shown again in the field, and nothing saved, so that the user may choose another.
    const QKeySequence avant = reglages.raccourciRecherche();
    const QKeySequence touche = txtRaccourci->keySequence();
    if (touche != avant && !RaccourciRecherche::prendre(contexte_, touche, this, avant)) {
        txtRaccourci->setKeySequence(avant);
        txtRaccourci->setFocus();
        return;
    }

    const bool demarrage = chkDemarragePC->isChecked();
    reglages.definirDemarrageAvecSession(demarrage);
    if (!Demarrage_Windows(contexte_, demarrage ? 1 : 0)) chkDemarragePC->setChecked(false);

    reglages.definirConfirmationFermeture(chkFermeture->isChecked());

    const bool plan = chkPlan->isChecked();
    const bool planChange = plan != reglages.premierPlan();
    reglages.definirPremierPlan(plan);
    if (planChange) placerLanceurs(plan);

    reglages.definirDelaiFermeture(DelaiMinimum + cboSecondes->currentIndex());

    reglages.definirRaccourciRecherche(touche);
    accept();
}

void frmParametres::placerLanceurs(bool auPremierPlan) {
    for (QWidget* fenetre : contexte_.fenetres().ouvertes<QWidget>()) {
        const QString tag = Fenetres::tag(fenetre);
        if (tag == Tag::Principale || tag == Tag::Gestion || tag == Tag::Parametres) continue;
        Placer_Premier_Plan(fenetre, auPremierPlan);
    }
}
