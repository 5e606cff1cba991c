#include "core/Fenetres.h"

#include <QVariant>

namespace {
constexpr const char* ProprieteTag = "Tag";
}

void Fenetres::ajouter(QObject* fenetre) {
    if (fenetre && !liste_.contains(fenetre)) liste_.append(fenetre);
}

void Fenetres::retirer(QObject* fenetre) {
    liste_.removeIf([fenetre](const QPointer<QObject>& p) { return p.isNull() || p == fenetre; });
}

QString Fenetres::tag(const QObject* fenetre) {
    return fenetre ? fenetre->property(ProprieteTag).toString() : QString();
}

void Fenetres::definirTag(QObject* fenetre, const QString& tag) {
    fenetre->setProperty(ProprieteTag, tag);
}

InscriptionFenetre::InscriptionFenetre(Fenetres& fenetres, QObject* fenetre, const QString& tag)
    : fenetres_(fenetres)
    , fenetre_(fenetre) {
    Fenetres::definirTag(fenetre, tag);
    fenetres_.ajouter(fenetre);
}

InscriptionFenetre::~InscriptionFenetre() {
    fenetres_.retirer(fenetre_);
}
