#pragma once

#include <QString>

class QWidget;

// The compiled help: opens the help file at a context number in the program's own
// viewer. False when the file is missing, unreadable or has no such topic.
class ServiceAide {
public:
    virtual ~ServiceAide() = default;
    virtual bool ouvrirRubrique(QWidget* proprietaire, const QString& fichierAide, int numero) = 0;
};
