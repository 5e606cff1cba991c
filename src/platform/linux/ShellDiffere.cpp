#include "platform/linux/ShellDiffere.h"

#include <stdexcept>

ShellDiffere::ShellDiffere(QString module)
    : module_(std::move(module)) {}

ShellDiffere::~ShellDiffere() = default;

ServiceShell& ShellDiffere::reel() {
    if (reel_) return *reel_;
    using Fabrique = ServiceShell* (*)();
    const auto fabrique = reinterpret_cast<Fabrique>(module_.resolve(PointEntreeShellGio));
    if (!fabrique)
        throw std::runtime_error(
            QStringLiteral("Les services du bureau n'ont pas pu être chargés : %1")
                .arg(module_.errorString())
                .toStdString());
    reel_.reset(fabrique());
    return *reel_;
}

ResultatOuverture ShellDiffere::ouvrir(const QString& cheminOuLien, int commandeAffichage,
                                       QWidget* proprietaire) {
    return reel().ouvrir(cheminOuLien, commandeAffichage, proprietaire);
}

bool ShellDiffere::demarrer(const QString& programme, int commandeAffichage) {
    return reel().demarrer(programme, commandeAffichage);
}

ChoixOuverture ShellDiffere::choixPour(const QString& cheminOuLien) {
    return reel().choixPour(cheminOuLien);
}

QList<ApplicationProposee> ShellDiffere::toutesLesApplications() {
    return reel().toutesLesApplications();
}

ResultatLancement ShellDiffere::lancerEntreeBureau(const QString& entree, int commandeAffichage) {
    return reel().lancerEntreeBureau(entree, commandeAffichage);
}

ResultatLancement ShellDiffere::ouvrirAvecApplication(const QString& cheminOuLien,
                                                      const QString& idApplication) {
    return reel().ouvrirAvecApplication(cheminOuLien, idApplication);
}

bool ShellDiffere::definirParDefaut(const QString& type, const QString& idApplication) {
    return reel().definirParDefaut(type, idApplication);
}
