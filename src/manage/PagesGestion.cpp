#include "manage/PagesGestion.h"

#include "base/Twips.h"
#include "core/Services.h"

#include <QFont>
#include <QLabel>
#include <QListView>

using namespace Controles;

namespace PagesGestion {

QString Image(const Contexte& contexte, const char* nom) {
    return Dossier_Application(contexte) + QStringLiteral("icones/") + QLatin1String(nom);
}

EtiquetteValeur* Donnee(QWidget* page, const QString& bulle, int haut, int hauteur) {
    auto* l = new EtiquetteValeur(page, bulle);
    // Its accessible name is its value: the object name says which value it is.
    l->setObjectName(bulle);
    QFont gras = l->font();
    gras.setBold(true);
    l->setFont(gras);
    Placer(l, 2460, haut, 2400, hauteur);
    return l;
}

EtiquetteValeur* Total_Lignes(QWidget* page, const QString& bulle) {
    auto* l = new EtiquetteValeur(page, bulle);
    l->setObjectName(bulle);
    Placer(l, 120, 4800, 2220, 255);
    l->afficher(Total + QLatin1Char('0'));
    return l;
}

QLabel* Titre(QWidget* page, const QString& texte) {
    auto* l = Etiquette(page, texte, 120, 0, 3900, 450);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(15);
    courier.setBold(true);
    l->setFont(courier);
    return l;
}

QLabel* Decoration(QWidget* parent, const QString& image, int cote, int gauche, int haut) {
    auto* l = new QLabel(parent);
    if (const auto apercu = Charger_Apercu(image, QSize(cote, cote))) l->setPixmap(*apercu);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(Twips::enPixelsX(gauche), Twips::enPixelsY(haut), cote, cote);
    return l;
}

QListView* Liste(QWidget* page, const QString& bulle, int haut, int hauteur) {
    auto* l = new QListView(page);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Lines of one height: a list of thousands is not measured line by line.
    l->setUniformItemSizes(true);
    Decrire(l, bulle);
    Placer(l, 120, haut, 2220, hauteur);
    return l;
}

void Positionner(QAbstractItemView* liste, int position) {
    const QModelIndex ligne = liste->model()->index(position, 0);
    // The view scrolls to its current line itself.
    if (ligne.isValid()) {
        liste->selectionModel()->setCurrentIndex(ligne, QItemSelectionModel::ClearAndSelect);
    } else {
        liste->selectionModel()->clear();
    }
}

int Position(const QAbstractItemView* liste) {
    const QModelIndexList choisies = liste->selectionModel()->selectedIndexes();
    return choisies.isEmpty() ? -1 : choisies.constFirst().row();
}

QString Texte_Choisi(const QAbstractItemView* liste) {
    const int p = Position(liste);
    return p >= 0 ? liste->model()->index(p, 0).data().toString() : QString();
}

QString Nom_Couleur(const QColor& c) {
    return QStringLiteral("Rouge %1, vert %2, bleu %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace PagesGestion
