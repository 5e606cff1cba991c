#pragma once

#include "about/APropos.h"
#include "support/AideFactice.h"
#include "support/Environnement.h"
#include "support/ShellFactice.h"

#include <QStringList>

#include <memory>

// The folder of an Environnement with a context of its own that also has fake desktop
// services and a fake help viewer, for the windows that reach both.
struct ContexteComplet {
    Environnement env;
    MessagesScriptes* messages = nullptr;
    ParametresMemoire* parametres = nullptr;
    DemarrageSessionMemoire* demarrage = nullptr;
    ShellFactice* shell = nullptr;
    AideFactice* aide = nullptr;
    std::unique_ptr<Contexte> contexte;

    ContexteComplet() {
        ServicesPlateforme s = Environnement::servicesDeTest(messages, parametres, demarrage);
        auto sh = std::make_unique<ShellFactice>();
        auto ai = std::make_unique<AideFactice>();
        shell = sh.get();
        aide = ai.get();
        s.shell = std::move(sh);
        s.aide = std::move(ai);
        contexte = std::make_unique<Contexte>(env.dossier(), std::move(s));
        contexte->definirAPropos(&Afficher_A_Propos);
    }

    // "file number" per topic asked for, in order.
    QStringList rubriques() const {
        QStringList lignes;
        for (const AideFactice::Appel& a : aide->appels)
            lignes << a.fichier + QLatin1Char(' ') + QString::number(a.numero);
        return lignes;
    }
};
