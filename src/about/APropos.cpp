#include "about/APropos.h"

void Afficher_A_Propos(Contexte&, QWidget*) {}
