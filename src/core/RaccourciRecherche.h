#pragma once

#include <QKeySequence>
#include <QString>

class Contexte;
class QWidget;

// The desktop key that opens the search (the setting itself is in Reglages).
namespace RaccourciRecherche {
// Takes the key for the desktop in place of enVigueur, the one held. A key another program
// holds is said once, enVigueur is taken again, and false is returned; where no key can be
// taken (a Wayland display) nothing is said: the README tells of the command instead.
bool prendre(Contexte& contexte, const QKeySequence& touche, QWidget* parent = nullptr,
             const QKeySequence& enVigueur = {});

// What is said when another program holds the key, with the key still in force if any.
QString messageRefus(const QKeySequence& touche, const QKeySequence& enVigueur = {});
// The command that opens the search.
QString commande();
} // namespace RaccourciRecherche
