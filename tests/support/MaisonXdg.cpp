#include "support/MaisonXdg.h"

#include <QByteArrayList>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTest>

namespace MaisonXdg {

namespace {

QString Racine;

QString appels() {
    return Racine + QStringLiteral("/appels");
}

} // namespace

bool ecrire(const QString& chemin, const QByteArray& contenu, bool executable) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    f.write(contenu);
    f.close();
    if (executable) f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray scriptTemoin() {
    return "#!/bin/sh\n"
           "D='" +
           QFile::encodeName(appels()) +
           "'\n"
           "s1=$(readlink /proc/$$/fd/1); s2=$(readlink /proc/$$/fd/2)\n"
           "printf '%s\\n' \"$s1\" \"$s2\" \"$@\" > \"$D/appel-$$.tmp\" && "
           "mv \"$D/appel-$$.tmp\" \"$D/appel-$$\"\n";
}

void preparer(const QString& racine, const QList<Entree>& entrees, const QByteArray& defauts) {
    Racine = racine;
    const QDir d(racine);
    for (const char* sous :
         {"donnees/applications", "config", "etc", "systeme", "appels", "essais"})
        d.mkpath(QString::fromLatin1(sous));
    // The system's MIME database, without the system's applications.
    QFile::link(QStringLiteral("/usr/share/mime"), d.filePath(QStringLiteral("systeme/mime")));
    const QString temoin = d.filePath(QStringLiteral("temoin.sh"));
    ecrire(temoin, scriptTemoin(), true);

    // GIO learns the types of the entries from this index, as desktops maintain it.
    QMap<QByteArray, QByteArrayList> index;
    for (const Entree& e : entrees) {
        const QByteArray programme =
            QFile::encodeName(e.programme.isEmpty() ? temoin : e.programme);
        ecrire(d.filePath(QStringLiteral("donnees/applications/") + e.id),
               "[Desktop Entry]\nType=Application\nName=" + e.nom + "\nExec=\"" + programme +
                   "\" " + e.champ + "\nMimeType=" + e.types + "\n" + e.autres);
        for (const QByteArray& type : e.types.split(';'))
            if (!type.isEmpty()) index[type] << e.id.toUtf8();
    }
    QByteArray cache = "[MIME Cache]\n";
    for (auto i = index.cbegin(); i != index.cend(); ++i)
        cache += i.key() + '=' + i.value().join(';') + ";\n";
    ecrire(d.filePath(QStringLiteral("donnees/applications/mimeinfo.cache")), cache);
    ecrire(d.filePath(QStringLiteral("config/mimeapps.list")),
           "[Default Applications]\n" + defauts);

    qputenv("XDG_DATA_HOME", QFile::encodeName(d.filePath(QStringLiteral("donnees"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(d.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(d.filePath(QStringLiteral("systeme"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(d.filePath(QStringLiteral("etc"))));
    qputenv("GIO_USE_VFS", "local");
    qunsetenv("XDG_CURRENT_DESKTOP");
}

QString racine() {
    return Racine;
}

QString essai(const QString& nom) {
    return Racine + QStringLiteral("/essais/") + nom;
}

QByteArray associations() {
    return lire(Racine + QStringLiteral("/config/mimeapps.list"));
}

void nettoyer() {
    QDir(essai(QString())).removeRecursively();
    QDir(Racine).mkpath(QStringLiteral("essais"));
    const QDir d(appels());
    for (const QString& f : d.entryList(QDir::Files))
        QFile::remove(d.filePath(f));
}

QStringList appelTemoin(int delaiMs) {
    const QDir d(appels());
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < delaiMs) {
        const QStringList fichiers = d.entryList({QStringLiteral("appel-*")}, QDir::Files);
        for (const QString& f : fichiers) {
            if (f.endsWith(QLatin1String(".tmp"))) continue;
            const QString texte = QString::fromUtf8(lire(d.filePath(f)));
            QFile::remove(d.filePath(f));
            return texte.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
        QTest::qWait(20);
    }
    return {};
}

bool aucunAppel(int attenteMs) {
    QTest::qWait(attenteMs);
    return QDir(appels()).entryList({QStringLiteral("appel-*")}, QDir::Files).isEmpty();
}

} // namespace MaisonXdg
