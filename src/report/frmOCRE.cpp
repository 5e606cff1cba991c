#include "report/frmOCRE.h"
#include "base/Textes.h"

#include "base/Dates.h"
#include "base/Twips.h"
#include "base/Version.h"
#include "core/Contexte.h"
#include "core/Liens.h"
#include "core/RubriquesAide.h"
#include "core/Services.h"
#include "platform/Dialogues.h"
#include "platform/Impression.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "report/DocumentRtf.h"
#include "report/MessageErreur.h"
#include "report/Rapport.h"
#include "report/Windows1252.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Curseur.h"
#include "ui/ToucheAide.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextDocument>
#include <QTime>
#include <QToolButton>

namespace {

const QString InviteProgramme = QStringLiteral("[Sélectionnez le programme ici]");
const QString NomTravail = QStringLiteral("Rapport d'erreur");

constexpr std::array<int, 8> HautsExpediteur{360, 720, 1440, 1800, 2160, 2520, 2880, 3240};
const std::array<QString, 8> LibellesExpediteur{
    QStringLiteral("Nom:"),    QStringLiteral("Adresse:"), QStringLiteral("CP:"),
    QStringLiteral("Ville:"),  QStringLiteral("Tél:"),     QStringLiteral("Fax:"),
    QStringLiteral("E-mail:"), QStringLiteral("Site Web:")};

// Captions read by assistive technology: the visible text without its mnemonic or its
// surrounding blanks.
QString nomAccessible(const QString& texte) {
    return Controles::Sans_Mnemonique(texte).trimmed();
}

QLabel* bandeau(QWidget* parent, const QString& texte, int haut) {
    QLabel* l = Controles::Etiquette(parent, texte, 120, haut, 5355);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    l->setAccessibleName(nomAccessible(texte));
    return l;
}

QPlainTextEdit* zoneDeTexte(QWidget* parent, const QString& nom, int gauche, int haut, int largeur,
                            int hauteur) {
    auto* t = new QPlainTextEdit(parent);
    t->setTabChangesFocus(true);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Controles::Placer(t, gauche, haut, largeur, hauteur);
    t->setAccessibleName(nom);
    return t;
}

QToolButton* boutonImage(QWidget* parent, const QString& texte, const QString& bulle,
                         const QIcon& icone, int haut) {
    auto* b = new QToolButton(parent);
    b->setText(texte);
    b->setIcon(icone);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    Controles::Placer(b, 120, haut, 3015, 315);
    Controles::Decrire(b, bulle, texte);
    b->setAccessibleDescription(bulle);
    return b;
}

QString texteDe(const QWidget* champ) {
    if (const auto* ligne = qobject_cast<const QLineEdit*>(champ)) return ligne->text();
    if (const auto* zone = qobject_cast<const QPlainTextEdit*>(champ)) return zone->toPlainText();
    return QString();
}

} // namespace

frmOCRE::frmOCRE(Contexte& contexte, QWidget* parent)
    : QDialog(parent, Cadre_Dialogue)
    , contexte_(contexte) {
    RTF = new QTextDocument(this);
    creerControles();
    new ToucheAide(contexte_, this, [] { return RubriqueAide::RapportErreur; });
    Form_Load();
}

frmOCRE::~frmOCRE() = default;

QStringList frmOCRE::Liste_Programmes() {
    return {QStringLiteral("DALVIRE - version 1.0.0"),
            QStringLiteral("DALVIRE - version ") + Version::numero(),
            QStringLiteral("BRUNELLE - version 1.0.0"),
            QStringLiteral("BRUNELLE - version 1.2.0"),
            QStringLiteral("QUILLARD - version 1.0.0"),
            QStringLiteral("QUILLARD - version 2.0.0"),
            QStringLiteral("SORBETIN - version 1.0.0"),
            QStringLiteral("SORBETIN - version 1.1.0"),
            QStringLiteral("TAVELURE - version 3.0.0"),
            QStringLiteral("TAVELURE - version 3.1.0")};
}

void frmOCRE::creerControles() {
    Preparer_Dialogue(this, QStringLiteral("Outil de Création de Rapport d'Erreur"), 9105, 6135);
    setAccessibleName(windowTitle());

    Label1[3] = new QLabel(
        QStringLiteral(" Afin de sans cesse améliorer le produit que vous utilisez, cet outil est "
                       "destiné à établir un rapport des différentes erreurs qui pourraient "
                       "subvenir lors de l'utilisation du programme"),
        this);
    Label1[3]->setWordWrap(true);
    Label1[3]->setGeometry(Twips::rectEnPixels(60, 60, 8985, 435));
    Label1[3]->setAccessibleName(nomAccessible(Label1[3]->text()));

    Frame[0] = new QGroupBox(
        QStringLiteral("Pour soumettre le problème, fournissez les informations suivantes:"), this);
    Frame[0]->setGeometry(Twips::rectEnPixels(60, 540, 5595, 5535));
    Label1[13] = bandeau(Frame[0], QStringLiteral(" Programme utilisé (nom et version)"), 300);
    cboProgramme = new QComboBox(Frame[0]);
    cboProgramme->setEditable(true);
    cboProgramme->setInsertPolicy(QComboBox::NoInsert);
    cboProgramme->setGeometry(Twips::rectEnPixels(120, 600, 5355, 315));
    cboProgramme->setAccessibleName(Label1[13]->accessibleName());
    Label1[13]->setBuddy(cboProgramme);

    const std::array<QString, 3> titres{QStringLiteral(" Description du problème"),
                                        QStringLiteral(" Action ayant entrainé le problème"),
                                        QStringLiteral(" Message d'erreur (No et message)")};
    invites_ = {QStringLiteral("[Décrivez le problème ici]"),
                QStringLiteral("[Décrivez l'action ayant entrainé le problème ici]"),
                QStringLiteral("[Décrivez le message d'erreur ici]")};
    for (int i = 0; i < 3; ++i) {
        const int haut = 1380 + 1500 * i;
        Label1[i] = bandeau(Frame[0], titres.at(i), haut - 300);
        txtErreur[i] = zoneDeTexte(Frame[0], Label1[i]->accessibleName(), 120, haut, 5355, 1035);
        Label1[i]->setBuddy(txtErreur[i]);
        txtErreur[i]->setPlainText(invites_.at(i));
    }

    Frame[1] = new QGroupBox(QStringLiteral("Vos coordonnées:"), this);
    Frame[1]->setGeometry(Twips::rectEnPixels(5760, 540, 3255, 3675));
    for (int i = 0; i < 8; ++i) {
        const int haut = HautsExpediteur.at(i);
        lblExpediteur[i] = new QLabel(LibellesExpediteur.at(i), Frame[1]);
        lblExpediteur[i]->setGeometry(Twips::rectEnPixels(120, haut + 45, 735, 255));
        lblExpediteur[i]->setAccessibleName(LibellesExpediteur.at(i));
        if (i == 1) {
            txtExpediteur[i] =
                zoneDeTexte(Frame[1], LibellesExpediteur.at(i), 900, haut, 2175, 675);
            static_cast<QPlainTextEdit*>(txtExpediteur[i])
                ->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        } else {
            auto* ligne = new QLineEdit(Frame[1]);
            ligne->setGeometry(Twips::rectEnPixels(900, haut, i == 2 ? 915 : 2175, 315));
            ligne->setAccessibleName(LibellesExpediteur.at(i));
            txtExpediteur[i] = ligne;
        }
        lblExpediteur[i]->setBuddy(txtExpediteur[i]);
    }

    Frame[2] = new QGroupBox(QStringLiteral("Rapport"), this);
    Frame[2]->setGeometry(Twips::rectEnPixels(5760, 4200, 3255, 1395));
    QStyle* s = style();
    cmdEnregistrer = boutonImage(Frame[2], QStringLiteral("Enregistrer dans un fichier"),
                                 QStringLiteral("Enregistrer le formulaire dans un fichier"),
                                 QIcon::fromTheme(QStringLiteral("document-save"),
                                                  s->standardIcon(QStyle::SP_DialogSaveButton)),
                                 300);
    cmdImprimer = boutonImage(
        Frame[2], QStringLiteral("Imprimer"), QStringLiteral("Imprimer le formulaire"),
        QIcon::fromTheme(QStringLiteral("document-print"), s->standardIcon(QStyle::SP_FileIcon)),
        660);
    cmdMail = boutonImage(
        Frame[2], QStringLiteral("Envoyer par E-mail "),
        QStringLiteral("Envoyer le formulaire par e-mail"),
        QIcon::fromTheme(QStringLiteral("mail-send"), s->standardIcon(QStyle::SP_ArrowRight)), 960);
    for (QGroupBox* cadre : Frame)
        cadre->setAccessibleName(nomAccessible(cadre->title()));

    Bouton[1] = Controles::Bouton(this, QStringLiteral("&Aide"), QString(), 5760, 5700, 1575);
    Bouton[0] = Controles::Bouton(this, QStringLiteral("&Quitter"), QString(), 7440, 5700, 1575);

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w : std::initializer_list<QWidget*>{cboProgramme, cmdEnregistrer, cmdImprimer,
                                                      cmdMail, Bouton[0], Bouton[1]})
        w->setCursor(main);
    connect(cmdEnregistrer, &QToolButton::clicked, this, [this] { cmdEnregistrer_Click(); });
    connect(cmdImprimer, &QToolButton::clicked, this, [this] { cmdImprimer_Click(); });
    connect(cmdMail, &QToolButton::clicked, this, [this] { cmdMail_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(Bouton[i], &QPushButton::clicked, this, [this, i] { Bouton_Click(i); });
}

void frmOCRE::ajouterErreur(const QString& programme, const QString& erreur) {
    cboProgramme->setEditText(programme);
    // What the user wrote there is their work, and stays.
    QPlainTextEdit* champ = txtErreur[2];
    const QString present = champ->toPlainText();
    if (present.trimmed().isEmpty() || present == invites_.at(2))
        champ->setPlainText(erreur);
    else
        champ->appendPlainText(erreur);
}

void frmOCRE::Form_Load() {
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
    cboProgramme->clear();
    cboProgramme->addItems(Liste_Programmes());
    cboProgramme->setEditText(InviteProgramme);
    Charger_Modele();
}

QString frmOCRE::texteExpediteur(int index) const {
    return texteDe(txtExpediteur.at(index));
}

void frmOCRE::definirExpediteur(int index, const QString& texte) {
    QWidget* champ = txtExpediteur.at(index);
    if (auto* ligne = qobject_cast<QLineEdit*>(champ))
        ligne->setText(texte);
    else if (auto* zone = qobject_cast<QPlainTextEdit*>(champ))
        zone->setPlainText(texte);
}

void frmOCRE::Charger_Modele() {
    const QByteArray modele = Modele_Rapport() + "\r\n";
    // The application folder, or the user's own folder of an installed program.
    const QString dossier = contexte_.emplacements().dossierTravail;
    const QString chemin = Avec_Separateur_Final(dossier) + QStringLiteral("rapport.rtf");
    QByteArray lu;
    ErreurFichier erreur;
    if (QDir().mkpath(dossier) && Ecrire_Fichier(chemin, modele, erreur)) {
        QFile fichier(chemin);
        if (fichier.open(QIODevice::ReadOnly)) lu = fichier.readAll();
    }
    // A working folder the user may not write to (full, or not theirs): the
    // template is read from memory instead, and the report works just the same.
    if (lu != modele) lu = modele;
    Lire_Rtf(*RTF, lu);
}

void frmOCRE::Remplir_Rapport() {
    QString expediteur;
    for (int i = 0; i < 8; ++i) {
        const QString texte = Sans_Espaces(texteExpediteur(i));
        definirExpediteur(i, texte);
        if (!texte.isEmpty()) expediteur += QLatin1Char('\t') + texte + SautDeLigne;
    }
    Remplacer_Premier(*RTF, QStringLiteral("<expediteur>"), expediteur);
    Remplacer_Premier(*RTF, QStringLiteral("<programme>"), cboProgramme->currentText());

    const std::array<QString, 3> marques{QStringLiteral("<description>"),
                                         QStringLiteral("<action>"), QStringLiteral("<erreur>")};
    for (int i = 0; i < 3; ++i) {
        QString texte = Sans_Espaces(txtErreur[i]->toPlainText());
        if (texte == invites_.at(i)) texte.clear();
        txtErreur[i]->setPlainText(texte);
        Remplacer_Premier(*RTF, marques.at(i), texte);
        if (texte.isEmpty()) txtErreur[i]->setPlainText(invites_.at(i));
    }

    Remplacer_Premier(*RTF, QStringLiteral("<date>"), Date_En_Chiffres(QDate::currentDate()));
    Remplacer_Premier(*RTF, QStringLiteral("<heure>"), Heure_En_Chiffres(QTime::currentTime()));
}

void frmOCRE::Construire_Rapport() {
    Charger_Modele();
    Remplir_Rapport();
}

bool frmOCRE::programmeChoisi() {
    if (!cboProgramme->currentText().isEmpty()) return true;
    contexte_.messages().afficher(
        this, Message{QStringLiteral("Sélectionnez ou saisissez un programme dans la liste."),
                      IconeMessage::Information});
    return false;
}

bool frmOCRE::Ecrire_Html(const QString& chemin) {
    ErreurFichier erreur;
    if (Ecrire_Fichier(chemin, En_Windows_1252(Html_Rapport(*RTF)), erreur)) return true;
    Message_Erreur(contexte_, this, erreur.numero, erreur.description);
    return false;
}

void frmOCRE::cmdEnregistrer_Click() {
    if (!programmeChoisi()) return;
    DemandeEnregistrement demande;
    demande.titre = QStringLiteral("Enregistrer le rapport d'erreur...");
    demande.filtres =
        QStringList{QStringLiteral("Fichier Html (*.htm)"), QStringLiteral("Fichier Texte (*.txt)"),
                    QStringLiteral("Fichier Texte Formaté (*.rtf)")};
    demande.extensionParDefaut = QStringLiteral("htm");
    const std::optional<QString> choisi = contexte_.dialogues().fichierAEnregistrer(this, demande);
    if (!choisi || choisi->isEmpty()) return;
    const QString& nom = *choisi;

    Construire_Rapport();
    const QString type = nom.right(3).toLower();
    ErreurFichier erreur;
    bool ecrit = false;
    if (type == QLatin1String("txt")) {
        // A text file in the system's own encoding.
        ecrit = Ecrire_Fichier(nom, Texte_Brut(*RTF).toUtf8(), erreur);
    } else if (type == QLatin1String("rtf")) {
        ecrit = Ecrire_Fichier(nom, Ecrire_Rtf(*RTF), erreur);
    } else {
        // ".htm", and any name of another type: the dialog's own type is HTML.
        if (!Ecrire_Html(nom)) return;
        ecrit = true;
    }
    if (!ecrit) {
        contexte_.messages().afficher(this,
                                      Message{QStringLiteral("Le fichier [") + nom +
                                                  QStringLiteral("] n'a pas pu être enregistré.") +
                                                  SautDeLigne + erreur.description,
                                              IconeMessage::Critique});
        return;
    }
    if (contexte_.messages().afficher(
            this, Message{QStringLiteral("Le fichier [") + nom + QStringLiteral("] a été créé.") +
                              SautDeLigne + QStringLiteral("Désirez-vous ouvrir ce fichier ?"),
                          IconeMessage::Question, BoutonsMessage::OuiNon}) == ReponseMessage::Oui)
        Ouvrir_Fichier(nom, QStringLiteral("open"));
}

void frmOCRE::cmdImprimer_Click() {
    if (!programmeChoisi()) return;
    Construire_Rapport();
    QString raison;
    if (contexte_.impression().imprimer(*RTF, NomTravail, raison)) return;
    contexte_.messages().afficher(
        this, Message{QStringLiteral("Le rapport n'a pas pu être imprimé.") + SautDeLigne + raison,
                      IconeMessage::Exclamation});
}

void frmOCRE::cmdMail_Click() {
    if (!programmeChoisi()) return;
    Construire_Rapport();
    Envoyer_Mail(contexte_, Concepteur::AdresseMail, this,
                 QStringLiteral("Rapport d'Erreur (") + cboProgramme->currentText() +
                     QLatin1Char(')'),
                 Texte_Brut(*RTF), QString(), QString());
}

void frmOCRE::Ouvrir_Fichier(const QString& chemin, const QString& verbe) {
    if (!Fichier_Existe(chemin)) {
        QString dossier = Dossier_Application(contexte_);
        if (dossier.size() > 1) dossier.chop(1);
        contexte_.messages().afficher(
            this, Message{chemin + SautDeLigne +
                              QStringLiteral(" est introuvable. Assurez-vous que celui-ci doit se "
                                             "trouver dans le dossier:") +
                              SautDeLigne + dossier,
                          IconeMessage::Critique});
        return;
    }
    const AffichageFenetre affichage =
        verbe == QLatin1String("open") ? AffichageFenetre::Normal : AffichageFenetre::Cache;
    if (contexte_.shell().ouvrir(chemin, affichage, this) == ResultatOuverture::AucuneAssociation)
        contexte_.messages().afficher(
            this, Message{QStringLiteral("Aucune application associée avec le type de fichier ") +
                              chemin.right(3).toUpper() + QStringLiteral(" ."),
                          IconeMessage::Information});
}

void frmOCRE::keyPressEvent(QKeyEvent* evenement) {
    // No cancel button here: Escape would close the tool and throw away all the user
    // typed. "&Quitter" and the close box are the ways out.
    if (evenement->matches(QKeySequence::Cancel)) {
        evenement->accept();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

void frmOCRE::Bouton_Click(int index) {
    if (index == 0)
        reject();
    else if (index == 1)
        Envoyer_Touche_F1(Bouton[1]);
}
