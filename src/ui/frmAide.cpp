#include "ui/frmAide.h"

#include "base/Twips.h"
#include "base/Version.h"
#include "core/Services.h"
#include "ui/AideChm.h"
#include "ui/Cadre.h"

#include <QAction>
#include <QKeySequence>
#include <QShortcut>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

NavigateurAide::NavigateurAide(QWidget* parent)
    : QTextBrowser(parent) {
    // Links are followed here, so that none leaves the help file.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &NavigateurAide::suivreLien);
}

void NavigateurAide::definirFichier(std::shared_ptr<const FichierChm> fichier) {
    if (fichier_ && fichier && fichier_->chemin() != fichier->chemin()) clearHistory();
    fichier_ = std::move(fichier);
}

QUrl NavigateurAide::adresse(const QString& page) {
    QUrl url;
    url.setScheme(Schema);
    const qsizetype diese = page.indexOf(QLatin1Char('#'));
    url.setPath(diese < 0 ? page : page.left(diese));
    if (diese >= 0) url.setFragment(page.mid(diese + 1));
    return url;
}

QVariant NavigateurAide::loadResource(int type, const QUrl& nom) {
    Q_UNUSED(type);
    if (!fichier_ || nom.scheme() != Schema) return {};
    const std::optional<QByteArray> donnees = fichier_->lire(nom.path(QUrl::FullyDecoded));
    if (!donnees) return {};
    // Bytes: the document reads the page's own character set declaration.
    return *donnees;
}

void NavigateurAide::suivreLien(const QUrl& lien) {
    if (lien.scheme() != Schema) return;
    setSource(lien, QTextDocument::HtmlResource);
}

frmAide::frmAide(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , navigateur_(new NavigateurAide(this))
    , precedent_(new QAction(QStringLiteral("Précédent"), this))
    , suivant_(new QAction(QStringLiteral("Suivant"), this))
    , sommaire_(new QAction(QStringLiteral("Sommaire"), this)) {
    setWindowTitle(QStringLiteral("Aide de ") + TitreApplication);
    resize(Twips::tailleEnPixels(9600, 8400));

    auto* barre = new QToolBar(this);
    barre->setToolButtonStyle(Qt::ToolButtonTextOnly);
    precedent_->setToolTip(QStringLiteral("Page précédente"));
    suivant_->setToolTip(QStringLiteral("Page suivante"));
    sommaire_->setToolTip(QStringLiteral("Sommaire de l'aide"));
    precedent_->setEnabled(false);
    suivant_->setEnabled(false);
    barre->addAction(precedent_);
    barre->addAction(suivant_);
    barre->addAction(sommaire_);

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    disposition->addWidget(barre);
    disposition->addWidget(navigateur_);

    connect(precedent_, &QAction::triggered, navigateur_, &QTextBrowser::backward);
    connect(suivant_, &QAction::triggered, navigateur_, &QTextBrowser::forward);
    connect(sommaire_, &QAction::triggered, this, &frmAide::afficherSommaire);
    connect(navigateur_, &QTextBrowser::backwardAvailable, precedent_, &QAction::setEnabled);
    connect(navigateur_, &QTextBrowser::forwardAvailable, suivant_, &QAction::setEnabled);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

void frmAide::afficher(std::shared_ptr<const FichierChm> fichier, const QString& page) {
    navigateur_->definirFichier(std::move(fichier));
    const QUrl url = NavigateurAide::adresse(page);
    // The same page again is read again: the file may have been rebuilt meanwhile.
    if (url == navigateur_->source())
        navigateur_->reload();
    else
        navigateur_->setSource(url, QTextDocument::HtmlResource);

    if (!place_) {
        place_ = true;
        Centrer_Fenetre(this);
    }
    show();
    raise();
    activateWindow();
}

QString frmAide::pageAffichee() const {
    return navigateur_->source().path(QUrl::FullyDecoded);
}

void frmAide::afficherSommaire() {
    const auto& fichier = navigateur_->fichier();
    if (!fichier || fichier->pageParDefaut().isEmpty()) return;
    navigateur_->setSource(NavigateurAide::adresse(fichier->pageParDefaut()),
                           QTextDocument::HtmlResource);
}
