#include "launcher/Disposition.h"

void Creer_Fenetres(Contexte&, frmPrincipale&) {}
