#pragma once

class Contexte;
class frmPrincipale;

// Builds one launcher window per displayed category, stacked down the right edge.
void Creer_Fenetres(Contexte& contexte, frmPrincipale& principale);
