#include "launcher/ImageCategorie.h"

#include "core/Images.h"

ErreurImage::ErreurImage(const QString& chemin)
    : std::runtime_error("image incorrecte")
    , description_(QStringLiteral("Image incorrecte : ") + chemin) {}

QPixmap Charger_Image(const QString& chemin, const QSize& taille) {
    const QImage image = Lire_Image(chemin, taille);
    if (image.isNull()) throw ErreurImage(chemin);
    return QPixmap::fromImage(
        image.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
