#include "launcher/frmOuvrirAvec.h"

#include "core/Curseur.h"
#include "core/Services.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int RoleId = Qt::UserRole;

QIcon iconeDe(GAppInfo* application) {
    GIcon* icone = g_app_info_get_icon(application); // borrowed
    if (!icone) return QIcon();
    if (G_IS_THEMED_ICON(icone)) {
        const gchar* const* noms = g_themed_icon_get_names(G_THEMED_ICON(icone));
        for (; noms && *noms; ++noms) {
            const QIcon theme = QIcon::fromTheme(QString::fromUtf8(*noms));
            if (!theme.isNull()) return theme;
        }
    } else if (G_IS_FILE_ICON(icone)) {
        const Gio::Texte chemin(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icone))));
        if (chemin) return QIcon(QString::fromUtf8(chemin.get()));
    }
    return QIcon();
}

QString idDe(GAppInfo* application) {
    return Gio::enQString(g_app_info_get_id(application));
}

} // namespace

frmOuvrirAvec::frmOuvrirAvec(const QString& chemin, const QString& dossierApplication,
                             QWidget* parent)
    : QDialog(parent)
    , chemin_(chemin)
    , type_(Gio::Type_De_Contenu(chemin)) {
    setWindowTitle(QStringLiteral("Ouvrir avec"));
    const QCursor main = Curseur_Main(dossierApplication);

    lblInvite = new QLabel(
        QStringLiteral("Choisissez l'application avec laquelle ouvrir ce fichier :"), this);
    lblFichier = new QLabel(QFileInfo(chemin).fileName(), this);
    lblFichier->setToolTip(chemin);
    QFont gras = lblFichier->font();
    gras.setBold(true);
    lblFichier->setFont(gras);

    lstApplications = new QListWidget(this);
    lstApplications->setCursor(main);
    lstApplications->setMinimumSize(360, 240);

    chkToutes = new QCheckBox(QStringLiteral("Afficher toutes les applications"), this);
    chkToujours = new QCheckBox(
        QStringLiteral("Toujours utiliser cette application pour ce type de fichier"), this);
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
    connect(cmdOuvrir, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    remplir();
    // With nothing declared for the type, the whole list is the only useful one.
    if (applications_.empty()) chkToutes->setChecked(true);

    adjustSize();
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
}

frmOuvrirAvec::~frmOuvrirAvec() = default;

void frmOuvrirAvec::remplir() {
    const QString choisie = applicationChoisie() ? idDe(applicationChoisie()) : QString();
    lstApplications->clear();
    applications_.clear();

    const QByteArray type = type_.toUtf8();
    const Gio::ListeObjets liste(chkToutes->isChecked()
                                     ? g_app_info_get_all()
                                     : g_app_info_get_all_for_type(type.constData()));
    QStringList vus;
    for (GList* l = liste.get(); l; l = l->next) {
        auto* application = static_cast<GAppInfo*>(l->data);
        const QString id = idDe(application);
        if (!g_app_info_should_show(application) || vus.contains(id)) continue;
        vus << id;
        applications_.emplace_back(G_APP_INFO(g_object_ref(application)));
    }
    if (chkToutes->isChecked())
        std::sort(applications_.begin(), applications_.end(), [](const auto& a, const auto& b) {
            return QString::localeAwareCompare(
                       Gio::enQString(g_app_info_get_display_name(a.get())),
                       Gio::enQString(g_app_info_get_display_name(b.get()))) < 0;
        });

    for (const auto& application : applications_) {
        auto* element = new QListWidgetItem(
            iconeDe(application.get()),
            Gio::enQString(g_app_info_get_display_name(application.get())), lstApplications);
        element->setData(RoleId, idDe(application.get()));
        element->setToolTip(Gio::enQString(g_app_info_get_description(application.get())));
    }
    if (!choisir(choisie) && lstApplications->count() > 0) lstApplications->setCurrentRow(0);
    majBoutons();
}

void frmOuvrirAvec::majBoutons() {
    cmdOuvrir->setEnabled(applicationChoisie() != nullptr);
}

QStringList frmOuvrirAvec::applicationsListees() const {
    QStringList ids;
    for (const auto& application : applications_)
        ids << idDe(application.get());
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

GAppInfo* frmOuvrirAvec::applicationChoisie() const {
    const int ligne = lstApplications ? lstApplications->currentRow() : -1;
    if (ligne < 0 || ligne >= static_cast<int>(applications_.size())) return nullptr;
    return applications_[static_cast<std::size_t>(ligne)].get();
}

bool frmOuvrirAvec::ouvrirAvecLeChoix() {
    GAppInfo* application = applicationChoisie();
    if (!application) return false;
    if (chkToujours->isChecked()) {
        // A failure to remember the choice must not keep the file from opening.
        Gio::Erreur erreur;
        g_app_info_set_as_default_for_type(application, type_.toUtf8().constData(),
                                           erreur.adresse());
    }
    return Gio::Lancer_Application(application, {chemin_}, true) >= 0;
}
