#pragma once

#include <QString>

class QLabel;

// A label that shows a value: a screen reader reads the value itself (a label without a
// name of its own is named by its text, and follows it as it changes) and the tooltip,
// what the value is, as its description.
void Decrire_Valeur(QLabel* etiquette, const QString& bulle);
