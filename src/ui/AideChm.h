#pragma once

#include "platform/Aide.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

struct chmFile;
class frmAide;

// One compiled help file, open for reading through chmlib. Inner files are named by
// their absolute path inside the file ("/aide.htm", "/images/dalvire.png").
class FichierChm {
public:
    // Nothing when the path is not a readable compiled help file.
    static std::shared_ptr<const FichierChm> ouvrir(const QString& chemin);
    ~FichierChm();
    FichierChm(const FichierChm&) = delete;
    FichierChm& operator=(const FichierChm&) = delete;

    const QString& chemin() const { return chemin_; }
    // The content of an inner file; nothing for a folder, a missing or unreadable file.
    std::optional<QByteArray> lire(const QString& nomInterne) const;
    bool contient(const QString& nomInterne) const;

    // The inner page of a context number, empty when the file maps no such number.
    QString page(qint32 numero) const;
    // The page the file opens on when no topic is asked for.
    const QString& pageParDefaut() const { return pageParDefaut_; }
    const QString& titre() const { return titre_; }

private:
    struct Fermeture {
        void operator()(chmFile* fichier) const;
    };

    FichierChm(QString chemin, chmFile* fichier);
    void lireTables();
    QString nomInterne(const QString& cible) const;

    QString chemin_;
    std::unique_ptr<chmFile, Fermeture> fichier_;
    QHash<quint32, QString> pages_;
    QString pageParDefaut_;
    QString titre_;
};

// The help service of the program: shows a topic of a compiled help file in the
// program's own viewer, one window reused from call to call.
class AideChm final : public ServiceAide {
public:
    AideChm();
    ~AideChm() override;
    AideChm(const AideChm&) = delete;
    AideChm& operator=(const AideChm&) = delete;

    // Topic 0 stands for the file's own start page.
    bool ouvrirRubrique(QWidget* proprietaire, const QString& fichierAide, int numero) override;

    // The viewer, once a topic has been shown and while it lives.
    frmAide* fenetre() const;

private:
    frmAide* fenetrePour(QWidget* proprietaire);

    QPointer<frmAide> fenetre_;
};
