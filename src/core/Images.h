#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>

// Picture files read without loading every image format plug-in of Qt for good. Qt asks
// each plug-in whether it reads a file before it uses its own readers (PNG, BMP, XPM) or
// when a name does not tell the format: the whole set (with the SVG and JPEG libraries)
// would stay in memory for the run. A picture is read first as the format its name says,
// which loads that format's plug-in alone, or none; the content decides only when the
// name is wrong or says nothing.

// Of a file holding several pictures (an icon's sizes), the smallest that covers the size,
// or else the largest; the first one without a size. A null image when none can be read.
QImage Lire_Image(const QString& chemin, const QSize& taille = QSize());

// An icon of the pictures of a file up to that side, the larger ones left unread: a
// Windows icon stores its largest picture as PNG, which the ICO plug-in hands to Qt's
// reader, which loads every plug-in.
QIcon Icone_Jusqua(const QString& chemin, int coteMaximum);
