#include "launcher/frmRechercher.h"

#include "base/Twips.h"
#include "core/Contexte.h"
#include "core/IconesElements.h"
#include "core/RubriquesAide.h"
#include "core/Services.h"
#include "launcher/Lanceur.h"
#include "launcher/frmDalvire.h"
#include "platform/FenetresX11.h"
#include "platform/Messages.h"
#include "ui/Cadre.h"
#include "ui/Couleurs.h"
#include "ui/DelegueIcones.h"
#include "ui/ListeElements.h"
#include "ui/ToucheAide.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QSet>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QString Titre = QStringLiteral("Rechercher");

// In twips: the window, its margin, the field, and the list of ten lines under it.
constexpr int Largeur = 6300;
constexpr int Marge = 90;
constexpr int HauteurTexte = 345;
constexpr int HautListe = Marge + HauteurTexte + 60;
constexpr int Lignes = 10;
constexpr int HauteurLignes = Lignes * 330;
constexpr int Hauteur = HautListe + HauteurLignes + Marge;
constexpr int Bord = 1; // pixels

constexpr int RoleCategorie = Qt::UserRole + 1;

} // namespace

// The items found, as the list shows them and a screen reader reads them.
class ModeleTrouves : public ListeElements {
public:
    using ListeElements::ListeElements;

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const Element& e = element(index.row());
        switch (role) {
        case RoleCategorie:
            return e.categorie;
        case Qt::AccessibleTextRole:
            return e.nom + QStringLiteral(" — ") + e.categorie;
        case Qt::ToolTipRole:
            return e.chemin;
        default:
            return ListeElements::data(index, role);
        }
    }
};

namespace {

// A line: the item's icon and name, then its category, lighter, against the right end.
class DelegueTrouves : public DelegueIcones {
public:
    DelegueTrouves(QAbstractItemModel* modele, Source source, QObject* parent)
        : DelegueIcones(modele, std::move(source), parent) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // Ten lines fill the list exactly, whatever the resolution rounds.
        return {DelegueIcones::sizeHint(option, index).width(),
                Twips::enPixelsY(HauteurLignes) / Lignes};
    }

    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        const QWidget* vue = o.widget;
        const QStyle* style = vue ? vue->style() : QApplication::style();
        const QRect zone = style->subElementRect(QStyle::SE_ItemViewItemText, &o, vue);
        const QString nom = o.text;
        o.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &o, peintre, vue);

        const QPalette::ColorGroup groupe =
            o.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        const bool choisie = o.state.testFlag(QStyle::State_Selected);
        const QColor couleur =
            o.palette.color(groupe, choisie ? QPalette::HighlightedText : QPalette::Text);
        const QColor fond = o.palette.color(groupe, choisie ? QPalette::Highlight : QPalette::Base);
        const QFontMetrics fm(o.font);
        const int marge = fm.horizontalAdvance(QLatin1Char(' ')) * 2;
        // The category takes at most two fifths of the line, the name what is left.
        const QString categorie = fm.elidedText(index.data(RoleCategorie).toString(),
                                                Qt::ElideRight, zone.width() * 2 / 5);
        const int largeurCategorie = fm.horizontalAdvance(categorie);
        peintre->save();
        peintre->setFont(o.font);
        peintre->setPen(couleur);
        peintre->drawText(
            zone.adjusted(0, 0, -(largeurCategorie + marge), 0), Qt::AlignLeft | Qt::AlignVCenter,
            fm.elidedText(nom, Qt::ElideRight, zone.width() - largeurCategorie - marge));
        // Lighter, but readable against the line's own background, whatever the theme.
        peintre->setPen(attenuee(couleur, fond));
        peintre->drawText(zone.adjusted(0, 0, -marge / 2, 0), Qt::AlignRight | Qt::AlignVCenter,
                          categorie);
        peintre->restore();
    }

private:
    // Worked out once per pair of colours (a line chosen or not, a palette): the search
    // for a readable shade costs more than the line's drawing.
    QColor attenuee(const QColor& texte, const QColor& fond) const {
        const quint64 cle = quint64(texte.rgba()) << 32 | fond.rgba();
        auto trouvee = attenuees_.constFind(cle);
        if (trouvee == attenuees_.cend())
            trouvee = attenuees_.insert(cle, Couleurs::attenuee(texte, fond));
        return *trouvee;
    }

    mutable QHash<quint64, QColor> attenuees_;
};

} // namespace

QSize frmRechercher::taille() {
    return Twips::tailleEnPixels(Largeur, Hauteur);
}

QPoint frmRechercher::place(const QRect& zone, const QSize& taille) {
    const int tiers = zone.height() / 3;
    return {zone.x() + (zone.width() - taille.width()) / 2,
            zone.y() + std::max(0, (tiers - taille.height()) / 2)};
}

frmRechercher::frmRechercher(Contexte& contexte)
    : QDialog(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , contexte_(contexte) {
    // Without a frame the title shows nowhere, but it is what a screen reader says.
    setWindowTitle(Titre);
    setAccessibleName(Titre);
    setFont(Police_Fenetres());
    setFixedSize(taille());

    txtRecherche = new QLineEdit(this);
    txtRecherche->setObjectName(QStringLiteral("txtRecherche"));
    txtRecherche->setGeometry(Twips::rectEnPixels(Marge, Marge, Largeur - 2 * Marge, HauteurTexte));
    txtRecherche->setAccessibleName(QStringLiteral("Nom de l'élément à rechercher"));
    txtRecherche->setPlaceholderText(QStringLiteral("Une partie du nom, puis Entrée"));
    txtRecherche->installEventFilter(this);

    modele_ = new ModeleTrouves(this);
    lstTrouves = new QListView(this);
    lstTrouves->setObjectName(QStringLiteral("lstTrouves"));
    lstTrouves->setGeometry(
        Twips::rectEnPixels(Marge, HautListe, Largeur - 2 * Marge, HauteurLignes));
    lstTrouves->setAccessibleName(QStringLiteral("Éléments trouvés"));
    lstTrouves->setFrameShape(QFrame::NoFrame);
    // The keyboard stays in the field: the list follows its keys, and a click on a line.
    lstTrouves->setFocusPolicy(Qt::NoFocus);
    lstTrouves->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstTrouves->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstTrouves->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTrouves->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTrouves->setUniformItemSizes(true);
    lstTrouves->setModel(modele_);
    icones_ = new DelegueTrouves(
        modele_,
        [this](int ligne) {
            const Element& e = modele_->element(ligne);
            return Source_Icone(e.chemin, e.type, Dossier_Application(contexte_));
        },
        lstTrouves);
    lstTrouves->setItemDelegate(icones_);
    // The current line shows as chosen though the list never has the keyboard.
    QPalette couleurs = lstTrouves->palette();
    // A theme's highlight may hold its text at less than the readable ratio: darkened (or
    // lightened) until it reads.
    couleurs.setColor(QPalette::Active, QPalette::Highlight,
                      Couleurs::fond(couleurs.color(QPalette::Active, QPalette::Highlight),
                                     couleurs.color(QPalette::Active, QPalette::HighlightedText)));
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        couleurs.setColor(QPalette::Inactive, role, couleurs.color(QPalette::Active, role));
    lstTrouves->setPalette(couleurs);

    lblAucun = new QLabel(this);
    lblAucun->setObjectName(QStringLiteral("lblAucun"));
    lblAucun->setGeometry(
        Twips::rectEnPixels(Marge, HautListe, Largeur - 2 * Marge, HauteurLignes / Lignes));
    lblAucun->setIndent(Twips::enPixelsX(60));
    lblAucun->hide();

    // The search closes first, as it would once the viewer takes the keyboard, and the
    // viewer has no owner: over this window it would stay above the others as it does,
    // and a message about a missing help file would have a hidden window for parent.
    new ToucheAide(this,
                   [this] {
                       fermer();
                       Afficher_Aide(contexte_, nullptr, RubriqueAide::Recherche);
                   },
                   {});

    // The list as the receiver: a screen reader reads the field as the list's controller.
    connect(txtRecherche, &QLineEdit::textChanged, lstTrouves,
            [this](const QString& texte) { rechercher(texte); });
    connect(lstTrouves, &QListView::clicked, this,
            [this](const QModelIndex& index) { choisir(index.row()); });
}

frmRechercher::~frmRechercher() = default;

frmRechercher::Lecture frmRechercher::lancerLecture(QList<Element> elements) {
    auto premiers = std::make_shared<std::promise<QList<Element>>>();
    Lecture lecture{premiers->get_future(), {}};
    // The copy of the model's rows is this thread's: the other one only reads it, and the
    // model, changed meanwhile, would make a copy of its own first.
    auto lire = [elements = std::move(elements), premiers,
                 &utilisations = contexte_.utilisations()]() mutable {
        // The weights copied before the window shows: a start made from a strip while the
        // index is made changes the file's, not these.
        QHash<QString, double> poids;
        try {
            // The icons' lookups are the main thread's once the first lines are given; until
            // then it only makes the window, and this thread may read their theme's index.
            Preparer_Icones();
            poids = utilisations.poidsDe(QDateTime::currentDateTimeUtc());
            premiers->set_value(Premiers_Elements(elements, poids, Lignes));
        } catch (...) {
            premiers->set_exception(std::current_exception());
            throw;
        }
        QSet<QString> retrouves;
        IndexRecherche index(std::move(elements), [&](const QString& nom) {
            const auto p = poids.constFind(nom);
            if (p == poids.cend()) return 0.0;
            retrouves.insert(nom);
            return *p;
        });
        // Starts of items the catalogue no longer holds (another tool deleted or renamed
        // them) leave the file, which thus stays within the catalogue.
        if (retrouves.size() < poids.size()) {
            QStringList absents;
            for (auto p = poids.cbegin(); p != poids.cend(); ++p)
                if (!retrouves.contains(p.key())) absents << p.key();
            utilisations.oublier(absents);
        }
        return index;
    };
    try {
        lecture.index = std::async(std::launch::async, lire);
    } catch (const std::system_error&) {
        // No thread to be had: all made before the window shows.
        std::promise<IndexRecherche> index;
        try {
            index.set_value(lire());
        } catch (...) {
            index.set_exception(std::current_exception());
        }
        lecture.index = index.get_future();
    }
    return lecture;
}

void frmRechercher::signalerErreur(const ErreurCatalogue& erreur) {
    contexte_.messages().afficher(
        QStringLiteral("La recherche n'a pas pu s'ouvrir : le fichier contenant les "
                       "données n'a pas pu être lu.\r\n") +
            erreur.cause() + QStringLiteral("\r\n[") + QString::number(erreur.numero()) +
            QStringLiteral("]"),
        IconeMessage::Exclamation);
}

bool frmRechercher::ouvrir() {
    if (!isVisible()) {
        // The catalogue's items as the model holds them, read again first only when
        // another tool wrote the file, on a connection opened afresh: a file replaced or
        // removed meanwhile is the one read, not the one the program had open.
        try {
            Catalogue& catalogue = contexte_.catalogue();
            catalogue.liberer();
            const ReposCatalogue repos(catalogue);
            contexte_.modele().rechargerSiModifie();
        } catch (const ErreurCatalogue& erreur) {
            signalerErreur(erreur);
            return false;
        }
        // Folded into an index on another thread, with the icon theme's index and the file
        // types read, while this one makes the window's X window and styles it. The window
        // shows as soon as the first lines are found; the index is waited for at the first
        // key typed.
        Lecture lecture = lancerLecture(contexte_.modele().elements());
        winId();
        ensurePolished();
        const QList<Element> premiers = lecture.premiers.get();
        const int cote = lstTrouves->fontMetrics().height();
        icones_->precharger(Sources_Communes(Dossier_Application(contexte_)), {cote, cote},
                            devicePixelRatioF());
        lecture_ = std::move(lecture.index);
        {
            const QSignalBlocker silence(txtRecherche);
            txtRecherche->clear();
        }
        montrer(premiers, QString());
        active_ = false;
        move(place(frmDalvire::zoneDeTravail(), frameGeometry().size()));
        X11::Hors_Barre_Des_Taches(this);
        show();
    }
    raise();
    activateWindow();
    txtRecherche->setFocus(Qt::ActiveWindowFocusReason);
    return true;
}

void frmRechercher::fermer() {
    hide();
    active_ = false;
    // Closed, the window keeps nothing of the catalogue (an index still being made is
    // waited for, and dropped).
    lecture_ = {};
    index_ = IndexRecherche();
    trouves_.clear();
    modele_->remplir({});
    const QSignalBlocker silence(txtRecherche);
    txtRecherche->clear();
}

void frmRechercher::rechercher(const QString& texte) {
    if (lecture_.valid()) index_ = lecture_.get();
    montrer(index_.chercher(texte, Lignes), texte);
}

void frmRechercher::montrer(QList<Element> trouves, const QString& texte) {
    trouves_ = std::move(trouves);
    modele_->remplir(trouves_);
    if (trouves_.isEmpty()) {
        const QString debut = QStringLiteral("Aucun élément ne correspond à «\u00A0");
        const QString fin = QStringLiteral("\u00A0».");
        const QFontMetrics fm(lblAucun->font());
        const int reste = lblAucun->contentsRect().width() - fm.horizontalAdvance(debut + fin);
        lblAucun->setText(texte.trimmed().isEmpty()
                              ? QStringLiteral("Aucun élément dans le catalogue.")
                              : debut + fm.elidedText(texte, Qt::ElideRight, reste) + fin);
    }
    lblAucun->setVisible(trouves_.isEmpty());
    // Said by a screen reader: the list's description changes, and it is told so.
    const QString description = trouves_.isEmpty() ? lblAucun->text() : QString();
    if (description != lstTrouves->accessibleDescription()) {
        lstTrouves->setAccessibleDescription(description);
        QAccessibleEvent changement(lstTrouves, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changement);
    }
    deplacer(0);
}

int frmRechercher::ligneCourante() const {
    return lstTrouves->currentIndex().isValid() ? lstTrouves->currentIndex().row() : -1;
}

void frmRechercher::deplacer(int ligne) {
    const int n = static_cast<int>(trouves_.size());
    if (n == 0) return;
    lstTrouves->selectionModel()->setCurrentIndex(modele_->index(std::clamp(ligne, 0, n - 1)),
                                                  QItemSelectionModel::ClearAndSelect);
}

void frmRechercher::choisir(int ligne) {
    if (ligne < 0 || ligne >= trouves_.size()) return;
    const Element element = trouves_.at(ligne);
    fermer();
    // Once this key is handled: the start may ask a question. Nothing owns its dialogs,
    // this window being closed.
    QTimer::singleShot(0, this, [this, element] { Demarrer_Element(contexte_, element, nullptr); });
}

bool frmRechercher::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet != txtRecherche || evenement->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objet, evenement);
    const auto* touche = static_cast<QKeyEvent*>(evenement);
    if ((touche->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    const int courante = ligneCourante();
    // A page is what the list shows: its first line to its last.
    constexpr int Page = Lignes - 1;
    switch (touche->key()) {
    case Qt::Key_Up:
        deplacer(courante - 1);
        return true;
    case Qt::Key_Down:
        deplacer(courante + 1);
        return true;
    case Qt::Key_PageUp:
        deplacer(courante - Page);
        return true;
    case Qt::Key_PageDown:
        deplacer(courante + Page);
        return true;
    case Qt::Key_Home:
        deplacer(0);
        return true;
    case Qt::Key_End:
        deplacer(static_cast<int>(trouves_.size()) - 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choisir(courante);
        return true;
    case Qt::Key_Escape:
        fermer();
        return true;
    default:
        return false;
    }
}

bool frmRechercher::event(QEvent* evenement) {
    if (evenement->type() == QEvent::WindowActivate) {
        active_ = true;
    } else if (evenement->type() == QEvent::WindowDeactivate && active_ && isVisible()) {
        // Another window took the keyboard: the search is over, nothing started.
        fermer();
    }
    return QDialog::event(evenement);
}

void frmRechercher::paintEvent(QPaintEvent* evenement) {
    QDialog::paintEvent(evenement);
    QPainter peintre(this);
    peintre.setPen(QPen(palette().color(QPalette::WindowText), Bord));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(rect().adjusted(0, 0, -Bord, -Bord));
}
