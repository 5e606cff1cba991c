#include "ui/Controles.h"

#include "ui/ListesDeroulantes.h"

#include "base/Twips.h"

#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

void BoutonMarque::paintEvent(QPaintEvent* evenement) {
    QPushButton::paintEvent(evenement);
    Dessiner_Marque_De_Focus(*this);
}

namespace Controles {

QString Sans_Mnemonique(const QString& legende) {
    QString texte;
    texte.reserve(legende.size());
    for (qsizetype i = 0; i < legende.size(); ++i) {
        if (legende.at(i) == QLatin1Char('&') && i + 1 < legende.size()) ++i;
        texte += legende.at(i);
    }
    return texte;
}

void Placer(QWidget* controle, int gauche, int haut, int largeur, int hauteur) {
    controle->setGeometry(Twips::rectEnPixels(gauche, haut, largeur, hauteur));
}

void Placer_Au_Moins(QWidget* controle, int gauche, int haut, int largeur, int hauteur) {
    QRect r = Twips::rectEnPixels(gauche, haut, largeur, hauteur);
    const QSize besoin = controle->sizeHint();
    r.setWidth(std::max(r.width(), besoin.width()));
    r.setHeight(std::max(r.height(), besoin.height()));
    controle->setGeometry(r);
}

void Decrire(QWidget* controle, const QString& bulle, const QString& legende) {
    if (!bulle.isEmpty()) controle->setToolTip(bulle);
    controle->setAccessibleName(legende.isEmpty() ? bulle : Sans_Mnemonique(legende));
}

QLabel* Etiquette(QWidget* parent, const QString& texte, int gauche, int haut, int largeur,
                  int hauteur) {
    auto* l = new QLabel(texte, parent);
    l->setAccessibleName(texte);
    Placer(l, gauche, haut, largeur, hauteur);
    return l;
}

QLabel* Etiquette_Libre(QWidget* parent, const QString& texte, int gauche, int haut) {
    auto* l = new QLabel(texte, parent);
    l->setAccessibleName(texte);
    l->move(Twips::enPixelsX(gauche), Twips::enPixelsY(haut));
    l->adjustSize();
    return l;
}

QLabel* Legende(QWidget* parent, const QString& texte, QWidget* nomme, int gauche, int haut,
                int largeur, int hauteur) {
    QLabel* l = Etiquette(parent, texte, gauche, haut, largeur, hauteur);
    l->setBuddy(nomme);
    return l;
}

QString Ajuster(const QString& texte, const QFontMetrics& mesure, int largeur, int lignes) {
    if (mesure.horizontalAdvance(texte) <= largeur || lignes < 1) return texte;
    QStringList faites;
    qsizetype debut = 0;
    while (debut < texte.size() && faites.size() < lignes - 1) {
        qsizetype fin = debut + 1;
        while (fin < texte.size() &&
               mesure.horizontalAdvance(texte.mid(debut, fin + 1 - debut)) <= largeur)
            ++fin;
        faites << texte.mid(debut, fin - debut);
        debut = fin;
    }
    if (debut < texte.size())
        faites << mesure.elidedText(texte.mid(debut), Qt::ElideRight, largeur);
    return faites.join(QLatin1Char('\n'));
}

EtiquetteValeur::EtiquetteValeur(QWidget* parent, const QString& bulle)
    : QLabel(parent)
    , bulle_(bulle) {
    setToolTip(bulle_);
    setAccessibleDescription(bulle_);
}

void EtiquetteValeur::afficher(const QString& valeur) {
    valeur_ = valeur;
    setAccessibleName(valeur_);
    ajuster();
}

void EtiquetteValeur::resizeEvent(QResizeEvent* evenement) {
    QLabel::resizeEvent(evenement);
    ajuster();
}

void EtiquetteValeur::ajuster() {
    const QFontMetrics mesure(font());
    const int lignes = std::max(1, height() / std::max(1, mesure.lineSpacing()));
    const QString vu = Ajuster(valeur_, mesure, contentsRect().width(), lignes);
    setText(vu);
    setToolTip(vu == valeur_ ? bulle_ : valeur_);
}

QPushButton* Bouton(QWidget* parent, const QString& legende, const QString& bulle, int gauche,
                    int haut, int largeur, int hauteur) {
    auto* b = new BoutonMarque(legende, parent);
    Decrire(b, bulle, legende);
    Placer(b, gauche, haut, largeur, hauteur);
    return b;
}

QPushButton* Bouton_Image(QWidget* parent, const QString& image, const QString& bulle, int gauche,
                          int haut, int largeur, int hauteur) {
    auto* b = new BoutonMarque(parent);
    b->setIcon(QIcon(image));
    Decrire(b, bulle);
    Placer(b, gauche, haut, largeur, hauteur);
    b->setIconSize(b->size() - QSize(6, 6));
    return b;
}

void Reprendre_La_Main(QWidget* fenetre) {
    if (!fenetre || !fenetre->isVisible()) return;
    fenetre->raise();
    fenetre->activateWindow();
    if (QWidget* focus = fenetre->focusWidget()) focus->setFocus(Qt::ActiveWindowFocusReason);
}

QFrame* Trait(QWidget* parent, int gauche, int haut, int largeur) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(Twips::enPixelsX(gauche), Twips::enPixelsY(haut), Twips::enPixelsX(largeur), 2);
    return f;
}

std::optional<QPixmap> Charger_Apercu(const QString& chemin, const QSize& taille) {
    QImageReader lecteur(chemin);
    lecteur.setDecideFormatFromContent(true);
    // A drawing is rendered at the size shown rather than scaled afterwards.
    if (lecteur.supportsOption(QImageIOHandler::ScaledSize) &&
        lecteur.format() == QByteArrayLiteral("svg"))
        lecteur.setScaledSize(taille);
    const QImage image = lecteur.read();
    if (image.isNull()) return std::nullopt;
    return QPixmap::fromImage(image.scaled(taille, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

QColor Couleur_Windows(qint32 numero) {
    const auto n = static_cast<quint32>(numero);
    return QColor(int(n & 0xffu), int((n >> 8) & 0xffu), int((n >> 16) & 0xffu));
}

qint32 Numero_Couleur(const QColor& couleur) {
    return couleur.red() + 256 * couleur.green() + 65536 * couleur.blue();
}

} // namespace Controles
