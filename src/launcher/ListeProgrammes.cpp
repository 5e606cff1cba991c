#include "launcher/ListeProgrammes.h"

#include "ui/DelegueIcones.h"
#include "ui/ListeElements.h"
#include "ui/ListesDeroulantes.h"
#include "ui/PalettesCommunes.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStylePainter>
#include <QWheelEvent>

namespace {

bool sansModificateur(const QKeyEvent& touche) {
    return (touche.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Enter, Return or Space alone: the keys that choose the current entry.
bool toucheDeChoix(const QKeyEvent& touche) {
    return sansModificateur(touche) &&
           (touche.key() == Qt::Key_Return || touche.key() == Qt::Key_Enter ||
            touche.key() == Qt::Key_Space);
}

// F4 alone, or Alt with an arrow up or down: the keys that open or close the list.
bool toucheDeBascule(const QKeyEvent& touche) {
    if (touche.key() == Qt::Key_F4) return sansModificateur(touche);
    return (touche.key() == Qt::Key_Down || touche.key() == Qt::Key_Up) &&
           (touche.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}

} // namespace

ListeProgrammes::ListeProgrammes(QWidget* parent)
    : QComboBox(parent)
    , lignes_(new ListeElements(this)) {
    setModel(lignes_);
    connect(this, &QComboBox::activated, this, [this] {
        if (!deplacementSeul_) Q_EMIT choisie();
    });
}

ListeProgrammes::~ListeProgrammes() {
    // The drop-down part goes after this part of the list: its hiding is no closing.
    if (!cadre_) return;
    cadre_->removeEventFilter(this);
    view()->removeEventFilter(this);
}

void ListeProgrammes::preparerListe() {
    // Made at the first opening, not with the strip: a strip that is never opened keeps
    // no list view, nor the code and style sheet it takes, while the program rests.
    if (cadre_) return;
    Borner_Liste_Deroulante(*this);
    // The strip's font, now set on the list itself: Qt gives it to the drop-down part, a
    // window of its own that would not take it otherwise.
    setFont(font());
    // Lines of one height: the open list then measures one line, not every item's icon.
    if (auto* vue = qobject_cast<QListView*>(view())) vue->setUniformItemSizes(true);
    if (icones_) setItemDelegate(icones_);
    // The drop-down part's showing and hiding tell its opening and closing, whatever
    // opened or closed it; its keys are looked at before the base class's own.
    cadre_ = view()->window();
    cadre_->installEventFilter(this);
    view()->installEventFilter(this);
    connect(view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ListeProgrammes::defilee);
}

void ListeProgrammes::remplir(QList<Element> elements) {
    const QSignalBlocker silence(this);
    lignes_->remplir(std::move(elements));
    setCurrentIndex(-1);
}

const QList<Element>& ListeProgrammes::elements() const {
    return lignes_->elements();
}

const Element& ListeProgrammes::element(int ligne) const {
    return lignes_->element(ligne);
}

bool ListeProgrammes::estDeroulee() const {
    return cadre_ && cadre_->isVisible();
}

void ListeProgrammes::showPopup() {
    preparerListe();
    QComboBox::showPopup();
}

void ListeProgrammes::focusOutEvent(QFocusEvent* evenement) {
    QComboBox::focusOutEvent(evenement);
    // Its own drop-down taking the keyboard is no loss of focus.
    if (evenement->reason() != Qt::PopupFocusReason) Q_EMIT focusPerdu();
}

void ListeProgrammes::paintEvent(QPaintEvent*) {
    // As the combo box paints itself, with the current entry's icon (the icons being
    // looked for when a line is shown) and the palette shared by
    // the lists of its colours.
    QStylePainter peintre(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.palette = paletteDessin();
    if (icones_ && currentIndex() >= 0) option.currentIcon = icones_->icone(currentIndex());
    peintre.drawComplexControl(QStyle::CC_ComboBox, option);
    peintre.drawControl(QStyle::CE_ComboBoxLabel, option);
}

QPalette ListeProgrammes::paletteDessin() const {
    return palettes_ ? palettes_->commune(palette()) : palette();
}

void ListeProgrammes::keyPressEvent(QKeyEvent* evenement) {
    if (toucheDeChoix(*evenement) && currentIndex() >= 0) {
        evenement->accept();
        Q_EMIT choisie();
        return;
    }
    // Arrows, pages, Home, End and typed letters move the current entry, and the base
    // class calls that an activation: it is no choice. Space without a current entry
    // opens the list.
    const QScopedValueRollback deplacement(deplacementSeul_, true);
    QComboBox::keyPressEvent(evenement);
}

void ListeProgrammes::wheelEvent(QWheelEvent* evenement) {
    const QScopedValueRollback deplacement(deplacementSeul_, true);
    QComboBox::wheelEvent(evenement);
}

bool ListeProgrammes::toucheDeLaListeOuverte(QKeyEvent& touche) {
    if (toucheDeBascule(touche)) {
        // Closes the list as Escape does: the base class would take the highlighted
        // entry as chosen.
        touche.accept();
        hidePopup();
        return true;
    }
    if (touche.type() != QEvent::KeyPress || touche.key() != Qt::Key_Space ||
        !sansModificateur(touche))
        return false;
    const QModelIndex entree = view()->currentIndex();
    if (!entree.isValid() || !entree.flags().testFlag(Qt::ItemIsEnabled)) return false;
    hidePopup();
    setCurrentIndex(entree.row());
    Q_EMIT choisie();
    return true;
}

bool ListeProgrammes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == cadre_) {
        if (evenement->type() == QEvent::Show)
            Q_EMIT deroulee();
        else if (evenement->type() == QEvent::Hide)
            Q_EMIT refermee();
    } else if ((evenement->type() == QEvent::ShortcutOverride ||
                evenement->type() == QEvent::KeyPress) &&
               estDeroulee() && toucheDeLaListeOuverte(*static_cast<QKeyEvent*>(evenement))) {
        return true;
    }
    return QComboBox::eventFilter(objet, evenement);
}
