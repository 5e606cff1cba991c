#pragma once

#include "platform/Impression.h"
#include "platform/Shell.h"

#include <QLibrary>
#include <QString>

#include <memory>

// Services whose libraries are loaded with their module, from the application folder, the
// first time they are asked for: GIO and the libraries it brings take about a megabyte
// of memory once loaded, Qt's print support a third of one, for a program that may run
// for days without opening or printing anything. A module that cannot be loaded (a
// broken install) fails the call with its cause, which the program reports.

// The desktop services on GIO.
class ShellDiffere final : public ServiceShell {
public:
    // The module's file, from the application folder.
    explicit ShellDiffere(QString module);
    ~ShellDiffere() override;
    ShellDiffere(const ShellDiffere&) = delete;
    ShellDiffere& operator=(const ShellDiffere&) = delete;

    ResultatOuverture ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                             QWidget* proprietaire) override;
    bool demarrer(const QString& programme, AffichageFenetre affichage) override;
    ChoixOuverture choixPour(const QString& cheminOuLien) override;
    QList<ApplicationProposee> toutesLesApplications() override;
    ResultatLancement lancerEntreeBureau(const QString& entree,
                                         AffichageFenetre affichage) override;
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

// The system's default printer through Qt's print support.
class ImpressionDifferee final : public ServiceImpression {
public:
    explicit ImpressionDifferee(QString module);
    ~ImpressionDifferee() override;
    ImpressionDifferee(const ImpressionDifferee&) = delete;
    ImpressionDifferee& operator=(const ImpressionDifferee&) = delete;

    bool imprimer(const QTextDocument& document, const QString& nomTravail,
                  QString& raison) override;

private:
    QLibrary module_;
    std::unique_ptr<ServiceImpression> reel_;
};

// The entry points of the modules: a new service, owned by the caller.
inline constexpr char PointEntreeShellGio[] = "dalvire_creer_shell_gio";
inline constexpr char PointEntreeImpressionQt[] = "dalvire_creer_impression_qt";
