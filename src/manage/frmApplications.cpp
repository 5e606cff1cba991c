#include "manage/frmApplications.h"

#include "base/Twips.h"
#include "catalogue/Collation.h"
#include "core/Contexte.h"
#include "core/IconesElements.h"
#include "core/Services.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Curseur.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

using namespace Controles;

frmApplications::frmApplications(Contexte& contexte, QWidget* parent)
    : QDialog(parent, Cadre_Dialogue) {
    Preparer_Dialogue(this, QStringLiteral("Applications installées"), 5100, 5280);

    QLabel* legende = Etiquette(this, QStringLiteral("Rechercher:"), 120, 180, 1100);
    txtFiltre = new QLineEdit(this);
    legende->setBuddy(txtFiltre);
    txtFiltre->setClearButtonEnabled(true);
    Decrire(txtFiltre, QStringLiteral("Filtrer les applications par leur nom"),
            QStringLiteral("Rechercher"));
    Placer(txtFiltre, 1260, 120, 3720, 315);

    lstApplications = new QListWidget(this);
    lstApplications->setUniformItemSizes(true);
    lstApplications->setIconSize(Twips::tailleEnPixels(360, 360));
    Decrire(lstApplications, QStringLiteral("Applications installées"));
    Placer(lstApplications, 120, 540, 4860, 4080);

    Bouton[0] = Controles::Bouton(this, QStringLiteral("&Valider"), QString(), 2550, 4770, 1155);
    Bouton[1] = Controles::Bouton(this, QStringLiteral("&Annuler"), QString(), 3825, 4770, 1155);
    Bouton[0]->setDefault(true);
    const QCursor main = Curseur_Main(contexte);
    for (QWidget* w : {static_cast<QWidget*>(lstApplications), static_cast<QWidget*>(Bouton[0]),
                       static_cast<QWidget*>(Bouton[1])})
        w->setCursor(main);

    connect(txtFiltre, &QLineEdit::textChanged, this, &frmApplications::filtrer);
    connect(lstApplications, &QListWidget::itemActivated, this, &frmApplications::valider);
    connect(Bouton[0], &QPushButton::clicked, this, &frmApplications::valider);
    connect(Bouton[1], &QPushButton::clicked, this, &QDialog::reject);

    applications_ = contexte.shell().toutesLesApplications();
    // An entry that cannot be named, or found again, cannot be an item.
    applications_.removeIf([](const ApplicationProposee& a) {
        return a.nom.trimmed().isEmpty() || a.fichier.isEmpty();
    });
    std::stable_sort(applications_.begin(), applications_.end(),
                     [](const ApplicationProposee& a, const ApplicationProposee& b) {
                         return Collation::comparer(a.nom, b.nom) < 0;
                     });
    const QIcon generique = Icone_Programme(Dossier_Application(contexte));
    for (const ApplicationProposee& a : applications_) {
        auto* ligne =
            new QListWidgetItem(Icone_Application(a.icone, generique), a.nom, lstApplications);
        ligne->setToolTip(a.description.isEmpty() ? a.fichier : a.description);
    }
    if (lstApplications->count() > 0) lstApplications->setCurrentRow(0);
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
    txtFiltre->setFocus();
}

void frmApplications::filtrer(const QString& texte) {
    const QString cherche = texte.trimmed();
    int premiere = -1;
    for (int i = 0; i < lstApplications->count(); ++i) {
        const bool montree = applications_.at(i).nom.contains(cherche, Qt::CaseInsensitive);
        lstApplications->item(i)->setHidden(!montree);
        if (montree && premiere < 0) premiere = i;
    }
    lstApplications->setCurrentRow(premiere);
}

void frmApplications::valider() {
    const int ligne = lstApplications->currentRow();
    if (ligne < 0 || lstApplications->item(ligne)->isHidden()) return;
    choisie_ = applications_.at(ligne);
    accept();
}
