#pragma once

class Contexte;
class QWidget;

// Shows the About box modally over the given window.
void Afficher_A_Propos(Contexte& contexte, QWidget* parent);
