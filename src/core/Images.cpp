#include "core/Images.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

namespace {

int imageLaMieuxTaillee(QImageReader& lecteur, const QSize& taille) {
    int couvre = -1;
    int plusGrande = 0;
    QSize tailleCouvre;
    QSize taillePlusGrande;
    for (int k = 0; k < lecteur.imageCount() && lecteur.jumpToImage(k); ++k) {
        const QSize s = lecteur.size();
        if (s.width() >= taille.width() && s.height() >= taille.height() &&
            (couvre < 0 || s.width() < tailleCouvre.width())) {
            couvre = k;
            tailleCouvre = s;
        }
        if (k == 0 || s.width() > taillePlusGrande.width()) {
            plusGrande = k;
            taillePlusGrande = s;
        }
    }
    return couvre >= 0 ? couvre : plusGrande;
}

// Without automatic detection, a reader given a format asks no other plug-in.
void lireSelonLeNom(QImageReader& lecteur, const QString& chemin) {
    lecteur.setFileName(chemin);
    lecteur.setFormat(QFileInfo(chemin).suffix().toLower().toLatin1());
    lecteur.setAutoDetectImageFormat(false);
}

QImage lire(QImageReader& lecteur, const QSize& taille) {
    if (taille.isValid() && lecteur.imageCount() > 1)
        lecteur.jumpToImage(imageLaMieuxTaillee(lecteur, taille));
    return lecteur.read();
}

} // namespace

QImage Lire_Image(const QString& chemin, const QSize& taille) {
    QImageReader selonLeNom;
    lireSelonLeNom(selonLeNom, chemin);
    if (QImage image = lire(selonLeNom, taille); !image.isNull()) return image;
    QImageReader selonLeContenu(chemin);
    selonLeContenu.setDecideFormatFromContent(true);
    return lire(selonLeContenu, taille);
}

QIcon Icone_Jusqua(const QString& chemin, int coteMaximum) {
    QIcon icone;
    QImageReader lecteur;
    lireSelonLeNom(lecteur, chemin);
    for (int k = 0; k < lecteur.imageCount() && lecteur.jumpToImage(k); ++k) {
        const QSize s = lecteur.size();
        if (s.width() > coteMaximum || s.height() > coteMaximum) continue;
        const QImage image = lecteur.read();
        if (!image.isNull()) icone.addPixmap(QPixmap::fromImage(image));
    }
    // A file its name does not describe, or with no picture that small: read as before.
    return icone.isNull() ? QIcon(chemin) : icone;
}
