#include "platform/linux/ServicesDifferes.h"

#include <stdexcept>

namespace {

// The module loaded (once: a loaded library stays), and a new service from its entry point.
template <class Service>
Service& charger(QLibrary& module, std::unique_ptr<Service>& service, const char* pointEntree,
                 const QString& quoi) {
    if (service) return *service;
    using Fabrique = Service* (*)();
    const auto fabrique = reinterpret_cast<Fabrique>(module.resolve(pointEntree));
    if (!fabrique)
        throw std::runtime_error(QStringLiteral("%1 n'ont pas pu être chargés : %2")
                                     .arg(quoi, module.errorString())
                                     .toStdString());
    service.reset(fabrique());
    return *service;
}

} // namespace

ShellDiffere::ShellDiffere(QString module)
    : module_(std::move(module)) {}

ShellDiffere::~ShellDiffere() = default;

ServiceShell& ShellDiffere::reel() {
    return charger(module_, reel_, PointEntreeShellGio, QStringLiteral("Les services du bureau"));
}

ResultatOuverture ShellDiffere::ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                                       QWidget* proprietaire) {
    return reel().ouvrir(cheminOuLien, affichage, proprietaire);
}

bool ShellDiffere::demarrer(const QString& programme, AffichageFenetre affichage) {
    return reel().demarrer(programme, affichage);
}

ChoixOuverture ShellDiffere::choixPour(const QString& cheminOuLien) {
    return reel().choixPour(cheminOuLien);
}

QList<ApplicationProposee> ShellDiffere::toutesLesApplications() {
    return reel().toutesLesApplications();
}

ResultatLancement ShellDiffere::lancerEntreeBureau(const QString& entree,
                                                   AffichageFenetre affichage) {
    return reel().lancerEntreeBureau(entree, affichage);
}

ResultatLancement ShellDiffere::ouvrirAvecApplication(const QString& cheminOuLien,
                                                      const QString& idApplication) {
    return reel().ouvrirAvecApplication(cheminOuLien, idApplication);
}

bool ShellDiffere::definirParDefaut(const QString& type, const QString& idApplication) {
    return reel().definirParDefaut(type, idApplication);
}

ImpressionDifferee::ImpressionDifferee(QString module)
    : module_(std::move(module)) {}

ImpressionDifferee::~ImpressionDifferee() = default;

bool ImpressionDifferee::imprimer(const QTextDocument& document, const QString& nomTravail,
                                  QString& raison) {
    return charger(module_, reel_, PointEntreeImpressionQt,
                   QStringLiteral("Les services d'impression"))
        .imprimer(document, nomTravail, raison);
}
