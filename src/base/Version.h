#pragma once

#include <QString>

// The program's version and its maker's addresses: the version and the web address come
// from the build (project() in CMakeLists.txt), which gives them to the package too.
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

// The maker's addresses, seeded on first use and shown in the About box.
namespace Concepteur {
// The web address, from the build (Version.cpp).
extern const char* const Site;
inline const QString SiteInternet = QString::fromLatin1(Site);
inline const QString AdresseMail = QStringLiteral("contact@qelm.fr");
} // namespace Concepteur
