#pragma once

#include "platform/Aide.h"
#include "platform/Shell.h"
#include "support/Environnement.h"

#include <QStringList>

#include <memory>

// A desktop that starts nothing: it notes each request and answers as told.
class ShellEssai final : public ServiceShell {
public:
    ResultatOuverture ouvrir(const QString& cheminOuLien, int commande, QWidget*) override {
        journal << QStringLiteral("ouvrir %1 %2").arg(cheminOuLien).arg(commande);
        return resultatOuvrir;
    }
    bool demarrer(const QString& programme, int commande) override {
        journal << QStringLiteral("demarrer %1 %2").arg(programme).arg(commande);
        return resultatDemarrer;
    }
    bool ouvrirAvec(const QString& chemin, QWidget*) override {
        journal << QStringLiteral("ouvrirAvec ") + chemin;
        return false;
    }

    ResultatOuverture resultatOuvrir = ResultatOuverture::Reussi;
    bool resultatDemarrer = true;
    QStringList journal;
};

class AideEssai final : public ServiceAide {
public:
    bool ouvrirRubrique(QWidget*, const QString& fichier, int numero) override {
        journal << QStringLiteral("%1 %2").arg(fichier).arg(numero);
        return true;
    }
    QStringList journal;
};

// The folder of an Environnement with a context of its own that also has a desktop
// and a help viewer.
struct ContexteComplet {
    Environnement env;
    MessagesScriptes* messages = nullptr;
    ParametresMemoire* parametres = nullptr;
    DemarrageSessionMemoire* demarrage = nullptr;
    ShellEssai* shell = nullptr;
    AideEssai* aide = nullptr;
    std::unique_ptr<Contexte> contexte;

    ContexteComplet() {
        ServicesPlateforme s = Environnement::servicesDeTest(messages, parametres, demarrage);
        auto sh = std::make_unique<ShellEssai>();
        auto ai = std::make_unique<AideEssai>();
        shell = sh.get();
        aide = ai.get();
        s.shell = std::move(sh);
        s.aide = std::move(ai);
        contexte = std::make_unique<Contexte>(env.dossier(), std::move(s));
    }
};
