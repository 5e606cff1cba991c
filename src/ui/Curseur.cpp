#include "ui/Curseur.h"

#include "core/Contexte.h"
#include "core/Images.h"
#include "core/Services.h"

#include <QPixmap>

namespace {
constexpr int Cote = 32;
constexpr int PointeX = 12;
constexpr int PointeY = 9;
} // namespace

QCursor Curseur_Main(const QString& dossierApplication) {
    QPixmap image = QPixmap::fromImage(
        Lire_Image(Avec_Separateur_Final(dossierApplication) + QStringLiteral("icones/main.png")));
    if (image.isNull()) return QCursor(Qt::PointingHandCursor);
    if (image.size() != QSize(Cote, Cote))
        image = image.scaled(Cote, Cote, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return QCursor(image, PointeX, PointeY);
}

QCursor Curseur_Main(const Contexte& contexte) {
    return Curseur_Main(Dossier_Application(contexte));
}
