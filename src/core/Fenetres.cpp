#include "core/Fenetres.h"

#include <QVariant>

namespace {
constexpr const char* ProprieteTag = "Tag";
}

void Fenetres::ajouter(QWidget* fenetre) {
    if (fenetre && !liste_.contains(fenetre)) liste_.append(fenetre);
}

void Fenetres::retirer(QWidget* fenetre) {
    liste_.removeIf([fenetre](const QPointer<QWidget>& p) { return p.isNull() || p == fenetre; });
}

QList<QWidget*> Fenetres::ouvertes() const {
    QList<QWidget*> resultat;
    for (const QPointer<QWidget>& p : liste_)
        if (p) resultat.append(p.data());
    return resultat;
}

QString Fenetres::tag(const QWidget* fenetre) {
    return fenetre ? fenetre->property(ProprieteTag).toString() : QString();
}

void Fenetres::definirTag(QWidget* fenetre, const QString& tag) {
    fenetre->setProperty(ProprieteTag, tag);
}

InscriptionFenetre::InscriptionFenetre(Fenetres& fenetres, QWidget* fenetre, const QString& tag)
    : fenetres_(fenetres)
    , fenetre_(fenetre) {
    Fenetres::definirTag(fenetre, tag);
    fenetres_.ajouter(fenetre);
}

InscriptionFenetre::~InscriptionFenetre() {
    fenetres_.retirer(fenetre_);
}
