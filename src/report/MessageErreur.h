#pragma once

#include <QString>

class Contexte;
class QWidget;

// The common message for an unexpected error: says that it may be harmless, gives its
// number and offers to write an error report. On Yes the report tool opens, modal, with
// this program and the error filled in; when the tool is already open (it is the caller),
// the error is added under the one it holds and the prompt returns.
void Message_Erreur(Contexte& contexte, QWidget* parent, int numero, const QString& description);

// The question, with the error number.
QString Question_Erreur(int numero);
