#pragma once

#include <QString>

// What the management window leaves in Echange when the catalogue changed.
inline const QString MiseAJourAFaire = QStringLiteral("MISE A JOUR A FAIRE");
