#pragma once

#include "platform/Shell.h"

#include <QLibrary>
#include <QString>

#include <memory>

// The desktop services on GIO, loaded with their module the first time one is asked for.
// GIO and the libraries it brings take about a megabyte of memory once loaded, for a
// program that may run for days without opening anything. A module that cannot be loaded
// (a broken install) fails the call with its cause, which the program reports.
class ShellDiffere final : public ServiceShell {
public:
    // The module's file, from the application folder.
    explicit ShellDiffere(QString module);
    ~ShellDiffere() override;
    ShellDiffere(const ShellDiffere&) = delete;
    ShellDiffere& operator=(const ShellDiffere&) = delete;

    ResultatOuverture ouvrir(const QString& cheminOuLien, int commandeAffichage,
                             QWidget* proprietaire) override;
    bool demarrer(const QString& programme, int commandeAffichage) override;
    ChoixOuverture choixPour(const QString& cheminOuLien) override;
    QList<ApplicationProposee> toutesLesApplications() override;
    ResultatLancement lancerEntreeBureau(const QString& entree, int commandeAffichage) override;
    ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                            const QString& idApplication) override;
    bool definirParDefaut(const QString& type, const QString& idApplication) override;

    // Whether the module has been loaded.
    bool charge() const { return reel_ != nullptr; }

private:
    ServiceShell& reel();

    // Never unloaded: GIO registers types that outlive any unloading.
    QLibrary module_;
    std::unique_ptr<ServiceShell> reel_;
};

// The entry point of the module: a new shell on GIO, owned by the caller.
inline constexpr char PointEntreeShellGio[] = "dalvire_creer_shell_gio";
