#pragma once

#include "platform/Parametres.h"

#include <QString>

// Keys of the section "parametres".
namespace Cle {
inline const QString DateDebut = QStringLiteral("date de debut");
inline const QString DossierApplication = QStringLiteral("dossier application");
inline const QString Version = QStringLiteral("version");
inline const QString Couleur = QStringLiteral("couleur");
inline const QString DemarragePc = QStringLiteral("demarrage pc");
inline const QString ConfirmationFermeture = QStringLiteral("confirmation fermeture");
inline const QString Fermeture = QStringLiteral("fermeture");
inline const QString Plan = QStringLiteral("plan");
inline const QString Utilisation = QStringLiteral("utilisation");
// The key that opens the search from anywhere on the desktop (see Reglages.h).
inline const QString RaccourciRecherche = QStringLiteral("raccourci recherche");
} // namespace Cle
