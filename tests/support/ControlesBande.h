#pragma once

#include "launcher/ImageIcone.h"
#include "launcher/ListeProgrammes.h"
#include "launcher/frmDalvire.h"
#include "support/Controles.h"

// A strip's icon and list, found as a user finds them.
inline ListeProgrammes* Liste(const frmDalvire& bande) {
    return Controle<ListeProgrammes>(const_cast<frmDalvire&>(bande), QStringLiteral("cboProgrammes"));
}
inline ImageIcone* Icone(const frmDalvire& bande) {
    return Controle<ImageIcone>(const_cast<frmDalvire&>(bande), QStringLiteral("imgIcone"));
}

// Items as a strip lists them, of the given type, display mode and category.
inline QList<Element> Elements_Nommes(const QStringList& noms, const QString& type = QStringLiteral("4"),
                                      const QString& categorie = QString()) {
    QList<Element> elements;
    for (const QString& nom : noms)
        elements << Element{nom, QStringLiteral("/chemin/") + nom, categorie,
                            CodeStocke<ModeAffichage>::lu(QStringLiteral("1")),
                            CodeStocke<TypeElement>::lu(type)};
    return elements;
}
