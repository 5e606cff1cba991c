#include "launcher/frmOuvrirAvec.h"

#include "core/Contexte.h"
#include "core/IconesElements.h"
#include "core/Services.h"
#include "platform/Messages.h"
#include "ui/Accessibilite.h"
#include "ui/Cadre.h"
#include "ui/Curseur.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int RoleId = Qt::UserRole;

// A file by its name, a link whole. Only a text wider than half the screen is cut, in
// its middle, so that the chooser never grows wider than the screen; the tooltip always
// holds all of it.
void afficherCible(QLabel* etiquette, const QString& texte, const QString& complet) {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const int largeurMax = qMax(360, ecran ? ecran->availableGeometry().width() / 2 : 640);
    etiquette->setText(etiquette->fontMetrics().elidedText(texte, Qt::ElideMiddle, largeurMax));
    Decrire_Valeur(etiquette, complet);
}

QString messageEchec(const QString& application, ResultatLancement resultat, const QString& cible) {
    QStringList lignes{QStringLiteral("Impossible de démarrer l'application «\u00A0") +
                       application + QStringLiteral("\u00A0».")};
    switch (resultat) {
    case ResultatLancement::ApplicationIntrouvable:
        lignes << QStringLiteral("Son programme est introuvable : elle a peut-être été "
                                 "désinstallée.");
        break;
    case ResultatLancement::TerminalIntrouvable:
        lignes << QStringLiteral("Elle doit s'ouvrir dans un terminal, et aucun terminal n'a pu "
                                 "être démarré.");
        break;
    case ResultatLancement::Reussi:
    case ResultatLancement::Echec:
        break;
    }
    lignes << QStringLiteral("[") + cible + QStringLiteral("]");
    return lignes.join(QStringLiteral("\r\n"));
}

} // namespace

frmOuvrirAvec::frmOuvrirAvec(Contexte& contexte, const QString& cheminOuLien, QWidget* parent)
    : QDialog(parent)
    , contexte_(contexte)
    , cible_(cheminOuLien)
    , choix_(contexte.shell().choixPour(cheminOuLien)) {
    setWindowTitle(QStringLiteral("Ouvrir avec"));
    const QCursor main = Curseur_Main(contexte);

    lblInvite = new QLabel(
        QStringLiteral("Choisissez l'application avec laquelle ouvrir ce fichier :"), this);
    lblFichier = new QLabel(this);
    lblFichier->setObjectName(QStringLiteral("lblFichier"));
    lblFichier->setTextFormat(Qt::PlainText);
    QFont gras = lblFichier->font();
    gras.setBold(true);
    lblFichier->setFont(gras);
    afficherCible(
        lblFichier,
        choix_.estLien
            ? cheminOuLien
            : QFileInfo(choix_.chemin.isEmpty() ? cheminOuLien : choix_.chemin).fileName(),
        cheminOuLien);

    lstApplications = new QListWidget(this);
    lstApplications->setAccessibleName(lblInvite->text());
    lblInvite->setBuddy(lstApplications);
    lstApplications->setCursor(main);
    lstApplications->setMinimumSize(360, 240);

    chkToutes = new QCheckBox(QStringLiteral("Afficher toutes les applications"), this);
    chkToujours = new QCheckBox(
        QStringLiteral("Toujours utiliser cette application pour ce type de fichier"), this);
    // Nothing the choice could be remembered for without taking over every unknown file.
    chkToujours->setEnabled(!choix_.type.isEmpty());
    cmdOuvrir = new QPushButton(QStringLiteral("&Ouvrir"), this);
    cmdOuvrir->setDefault(true);
    cmdAnnuler = new QPushButton(QStringLiteral("A&nnuler"), this);
    for (QWidget* w : {static_cast<QWidget*>(chkToutes), static_cast<QWidget*>(chkToujours),
                       static_cast<QWidget*>(cmdOuvrir), static_cast<QWidget*>(cmdAnnuler)})
        w->setCursor(main);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(cmdOuvrir);
    boutons->addWidget(cmdAnnuler);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(lblInvite);
    disposition->addWidget(lblFichier);
    disposition->addWidget(lstApplications, 1);
    disposition->addWidget(chkToutes);
    disposition->addWidget(chkToujours);
    disposition->addLayout(boutons);

    connect(chkToutes, &QCheckBox::toggled, this, [this] { remplir(); });
    connect(lstApplications, &QListWidget::currentRowChanged, this, [this] { majBoutons(); });
    connect(lstApplications, &QListWidget::itemActivated, this, [this] { accept(); });
    connect(cmdOuvrir, &QPushButton::clicked, this, &frmOuvrirAvec::accept);
    connect(cmdAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    remplir();
    // With nothing declared for the type, the whole list is the only useful one.
    if (applications_.isEmpty()) chkToutes->setChecked(true);

    adjustSize();
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
}

frmOuvrirAvec::~frmOuvrirAvec() = default;

void frmOuvrirAvec::remplir() {
    const QString choisie = applicationChoisie();
    lstApplications->clear();
    applications_ =
        chkToutes->isChecked() ? contexte_.shell().toutesLesApplications() : choix_.declarees;
    const QIcon generique = Icone_Programme(Dossier_Application(contexte_));
    for (const ApplicationProposee& application : std::as_const(applications_)) {
        auto* element = new QListWidgetItem(Icone_Application(application.icone, generique),
                                            application.nom, lstApplications);
        element->setData(RoleId, application.id);
        element->setToolTip(application.description);
    }
    if (!choisir(choisie) && lstApplications->count() > 0) lstApplications->setCurrentRow(0);
    majBoutons();
}

void frmOuvrirAvec::majBoutons() {
    cmdOuvrir->setEnabled(!applicationChoisie().isEmpty());
}

QStringList frmOuvrirAvec::applicationsListees() const {
    QStringList ids;
    for (const ApplicationProposee& application : applications_)
        ids << application.id;
    return ids;
}

bool frmOuvrirAvec::choisir(const QString& idApplication) {
    if (idApplication.isEmpty()) return false;
    for (int i = 0; i < lstApplications->count(); ++i)
        if (lstApplications->item(i)->data(RoleId).toString() == idApplication) {
            lstApplications->setCurrentRow(i);
            return true;
        }
    return false;
}

QString frmOuvrirAvec::applicationChoisie() const {
    const QListWidgetItem* element = lstApplications ? lstApplications->currentItem() : nullptr;
    return element ? element->data(RoleId).toString() : QString();
}

bool frmOuvrirAvec::ouvrirAvecLeChoix() {
    const QListWidgetItem* element = lstApplications->currentItem();
    if (!element) return false;
    const QString id = element->data(RoleId).toString();
    const QString nom = element->text();
    ServiceShell& shell = contexte_.shell();
    const ResultatLancement resultat = shell.ouvrirAvecApplication(cible_, id);
    if (resultat != ResultatLancement::Reussi) {
        contexte_.messages().afficher(
            this, Message{messageEchec(nom, resultat, cible_), IconeMessage::Information});
        return false;
    }
    // Only an application that did start becomes the default; a failure to remember the
    // choice does not undo the opening.
    if (chkToujours->isEnabled() && chkToujours->isChecked())
        shell.definirParDefaut(choix_.type, id);
    return true;
}

void frmOuvrirAvec::accept() {
    if (ouvrirAvecLeChoix()) QDialog::accept();
}
