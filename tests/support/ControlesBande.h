#pragma once

#include "launcher/ImageIcone.h"
#include "launcher/ListeProgrammes.h"
#include "launcher/frmDalvire.h"
#include "support/Controles.h"

#include <QSignalBlocker>

#include <memory>

// A strip of the category, loaded as start-up loads it.
inline std::unique_ptr<frmDalvire> Bande(Contexte& contexte, const QString& categorie) {
    auto bande = std::make_unique<frmDalvire>(contexte);
    bande->Form_Load();
    bande->definirTag(categorie);
    return bande;
}

// A strip's icon and list, found as a user finds them.
inline ListeProgrammes* Liste(const frmDalvire& bande) {
    return Controle<ListeProgrammes>(const_cast<frmDalvire&>(bande),
                                     QStringLiteral("cboProgrammes"));
}
inline ImageIcone* Icone(const frmDalvire& bande) {
    return Controle<ImageIcone>(const_cast<frmDalvire&>(bande), QStringLiteral("imgIcone"));
}

// Makes a line of a strip's list the current one as the program does: no choice of the user.
inline void Ligne_Courante(frmDalvire& bande, int ligne) {
    const QSignalBlocker silence(Liste(bande));
    Liste(bande)->setCurrentIndex(ligne);
}
