#include "manage/PagesGestion.h"

#include "base/Twips.h"
#include "core/Services.h"

#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

using namespace Controles;

namespace PagesGestion {

QString Image(const Contexte& contexte, const char* nom) {
    return Dossier_Application(contexte) + QStringLiteral("icones/") + QLatin1String(nom);
}

EtiquetteValeur* Donnee(QWidget* page, const QString& bulle, int haut, int hauteur) {
    auto* l = new EtiquetteValeur(page, bulle);
    QFont gras = l->font();
    gras.setBold(true);
    l->setFont(gras);
    Placer(l, 2460, haut, 2400, hauteur);
    return l;
}

EtiquetteValeur* Total_Lignes(QWidget* page, const QString& bulle) {
    auto* l = new EtiquetteValeur(page, bulle);
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

QListWidget* Liste(QWidget* page, const QString& bulle, int haut, int hauteur) {
    auto* l = new QListWidget(page);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    Decrire(l, bulle);
    Placer(l, 120, haut, 2220, hauteur);
    return l;
}

void Positionner(QListWidget* liste, int position) {
    const QSignalBlocker silence(liste);
    if (position >= 0 && position < liste->count()) {
        liste->setCurrentRow(position);
    } else {
        liste->setCurrentRow(-1);
        liste->clearSelection();
    }
}

int Position(const QListWidget* liste) {
    const QList<QListWidgetItem*> choisies = liste->selectedItems();
    return choisies.isEmpty() ? -1 : liste->row(choisies.constFirst());
}

QString Texte_Choisi(const QListWidget* liste) {
    const int p = Position(liste);
    return p >= 0 ? liste->item(p)->text() : QString();
}

QString Nom_Couleur(const QColor& c) {
    return QStringLiteral("Rouge %1, vert %2, bleu %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace PagesGestion
