#pragma once

#include <QString>

class Contexte;
class QWidget;

// The one place where the management windows report a failure they could not avoid (the
// catalogue refused a change): the text, with the error number, in a message box. The
// program's common error prompt will take over here.
void Message_Erreur_Gestion(Contexte& contexte, QWidget* parent, const QString& texte, int numero);
