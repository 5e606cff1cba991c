#pragma once

#include <QMetaType>
#include <QString>

#include <optional>

class QMimeData;

// An item offered for the catalogue by something dropped on a launcher window: what the
// program editor opens with, nothing being written until the user confirms.
struct ElementPropose {
    QString nom;
    QString chemin;
    QString categorie;
    // The type code: 0 program, 1 document or folder, 2 web link, 3 e-mail address.
    int type = 0;
};
Q_DECLARE_METATYPE(ElementPropose)

// What a drop offers: the first of its links (a file manager's files and folders, a
// browser's link, a menu's application) or, with none, a link written as text. Nothing
// for a link of another scheme, a file that does not exist, or an empty drop. The
// category is left for the receiving window.
std::optional<ElementPropose> Classer_Depot(const QMimeData& donnees);
