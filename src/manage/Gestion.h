#pragma once

// The page the management window opens on.
enum class PageGestion { Categories = 0, Programmes = 1 };

// How the management window was closed: "&Valider les changements" asks for the launcher
// windows to be built again; "&Quitter", the close box, nothing.
enum class FinGestion { SansChangement, MiseAJourAFaire };

// What an editor opened from the management window does.
enum class ModeEditeur { Creation, Modification };
