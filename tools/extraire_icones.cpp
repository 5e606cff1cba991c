// extraire_icones ICON.ico FOLDER NAME: each picture of the icon file as
// FOLDER/<n>x<n>/apps/NAME.png, the layout of an icon theme.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s ICON.ico FOLDER NAME\n", argv[0]);
        return 2;
    }
    // The image plug-ins (ICO among them) are found through the application.
    QCoreApplication application(argc, argv);
    QImageReader lecteur(QString::fromLocal8Bit(argv[1]), "ico");
    const QString dossier = QString::fromLocal8Bit(argv[2]);
    const QString nom = QString::fromLocal8Bit(argv[3]);
    int ecrites = 0;
    for (int i = 0; i < lecteur.imageCount(); ++i) {
        if (!lecteur.jumpToImage(i)) break;
        const QImage image = lecteur.read();
        if (image.isNull() || image.width() != image.height()) continue;
        const QString taille = QStringLiteral("%1x%1/apps").arg(image.width());
        if (!QDir(dossier).mkpath(taille) ||
            !image.save(
                QDir(dossier).filePath(taille + QLatin1Char('/') + nom + QStringLiteral(".png")),
                "png")) {
            std::fprintf(stderr, "cannot write the %s picture\n", qPrintable(taille));
            return 1;
        }
        ++ecrites;
    }
    if (ecrites == 0) {
        std::fprintf(stderr, "no picture read from %s: %s\n", argv[1],
                     qPrintable(lecteur.errorString()));
        return 1;
    }
    return 0;
}
