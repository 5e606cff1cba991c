#pragma once

#include "catalogue/Enregistrements.h"

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

// Where the picture of an item comes from, by its kind: the item's own picture file, if
// any, then names of the icon theme tried in order, then the application folder's picture
// of the kind, which every kind has, so that a desktop without an icon theme still shows
// one on every line.
struct SourceIcone {
    QString propre;
    QStringList nomsTheme;
    QString fichier;
    // Equal for two items that show the same picture.
    QString cle() const {
        return propre + QLatin1Char('|') + nomsTheme.join(QLatin1Char(';')) + QLatin1Char('|') +
               fichier;
    }
};

// What a desktop entry says of itself; nothing read when the file is no desktop entry.
struct EntreeBureau {
    bool valide = false;
    QString nom;   // Name[fr], or else Name
    QString icone; // Icon: a theme name or a picture's path
};

bool Est_Entree_Bureau(const QString& chemin);
EntreeBureau Lire_Entree_Bureau(const QString& chemin);

// The picture of an item of the catalogue, by its path and its type (a code that names no
// type counts as a program). Reads at most the desktop entry of a
// program; a document's type is told by its name, or by its first bytes when the name
// says nothing.
SourceIcone Source_Icone(const QString& chemin, const CodeStocke<TypeElement>& type,
                         const QString& dossierApplication);
// The first picture of the source that can be had: a picture file is had when it exists
// and reads as a picture. A null icon when none can.
QIcon Charger_Icone(const SourceIcone& source);
// Reads what every first lookup reads before its own picture (the icon theme's index, the
// system's table of file types), so that a window waiting for something else can have it
// done meanwhile. Another thread may call it while no thread looks an icon up.
void Preparer_Icones();
// The pictures of the kinds that show one picture whatever the item (web links, e-mail
// addresses, programs without a desktop entry): what a list can have ready beforehand.
QList<SourceIcone> Sources_Communes(const QString& dossierApplication);

// The picture of a program that has none of its own: the theme's, or else the
// application folder's.
QIcon Icone_Programme(const QString& dossierApplication);
// The picture an application gives of itself (a picture's path or a theme name, as the
// system's list of applications says); the generic one (Icone_Programme, had once for a
// whole list) when it names none that can be had, so that every line of a list of
// applications shows one.
QIcon Icone_Application(const QString& icone, const QIcon& generique);
