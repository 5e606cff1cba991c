#pragma once

#include <QString>

namespace Version {
inline constexpr int Majeure = DALVIRE_VERSION_MAJEURE;
inline constexpr int Mineure = DALVIRE_VERSION_MINEURE;
inline constexpr int Revision = DALVIRE_VERSION_REVISION;

inline QString numero() {
    return QStringLiteral("%1.%2.%3").arg(Majeure).arg(Mineure).arg(Revision);
}
// "Version 2.0.0"
inline QString texte() {
    return QStringLiteral("Version ") + numero();
}
} // namespace Version

inline const QString TitreApplication = QStringLiteral("Dalvire");
