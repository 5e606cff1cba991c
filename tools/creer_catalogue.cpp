// creer_catalogue SCHEMA.sql OUT.fdl: writes a new, empty catalogue from the schema.
#include "catalogue/Collation.h"

#include <QFile>

#include <sqlite3.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SCHEMA.sql OUT.fdl\n", argv[0]);
        return 2;
    }
    QFile schema(QString::fromLocal8Bit(argv[1]));
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray texte = schema.readAll();
    const QString sortie = QString::fromLocal8Bit(argv[2]);
    const QString provisoire = sortie + QStringLiteral(".tmp");
    QFile::remove(provisoire);

    sqlite3* base = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(provisoire).constData(), &base,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK ||
        sqlite3_create_collation(base, Collation::Nom, SQLITE_UTF8, nullptr, Collation::rappel) !=
            SQLITE_OK) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        sqlite3_close(base);
        return 1;
    }
    char* erreur = nullptr;
    const int rc = sqlite3_exec(base, texte.constData(), nullptr, nullptr, &erreur);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "schema: %s\n", erreur ? erreur : "?");
        sqlite3_free(erreur);
        sqlite3_close(base);
        QFile::remove(provisoire);
        return 1;
    }
    sqlite3_close(base);
    QFile::remove(sortie);
    return QFile::rename(provisoire, sortie) ? 0 : 1;
}
