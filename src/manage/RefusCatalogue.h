#pragma once

#include <QString>

class Contexte;
class QWidget;

// The one place where the management windows report a failure they could not avoid (the
// catalogue refused a change): the text, with the error number, in a message box. The
// user has a decision to make (retry, change the input), not a report to write: the
// common error prompt stays for the unexpected.
// Without a number (-1), the text alone: a change that found no row is no engine error.
void Message_Erreur_Gestion(Contexte& contexte, QWidget* parent, const QString& texte,
                            int numero = -1);
