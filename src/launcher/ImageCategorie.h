#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include <stdexcept>

// A picture file that exists but cannot be read as a picture.
class ErreurImage : public std::runtime_error {
public:
    explicit ErreurImage(const QString& chemin);
    const QString& description() const { return description_; }
    int numero() const { return 481; }

private:
    QString description_;
};

// A category's icon from any picture file the image readers know (its format told by
// its content), stretched to the given size; of a file holding several pictures (an
// icon's sizes), the one closest above that size. Throws ErreurImage.
QPixmap Charger_Image(const QString& chemin, const QSize& taille);
