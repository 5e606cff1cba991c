#include "platform/FenetresX11.h"

#include <QGuiApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

#if QT_CONFIG(xcb)

xcb_connection_t* connexion() {
    if (!qGuiApp) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

struct LiberationReponse {
    void operator()(void* reponse) const { std::free(reponse); }
};
template <typename T> using Reponse = std::unique_ptr<T, LiberationReponse>;

xcb_atom_t atome(xcb_connection_t* c, const char* nom) {
    const Reponse<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(nom)), nom), nullptr));
    return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

QString nomAtome(xcb_connection_t* c, xcb_atom_t a) {
    const Reponse<xcb_get_atom_name_reply_t> r(
        xcb_get_atom_name_reply(c, xcb_get_atom_name(c, a), nullptr));
    if (!r) return QString();
    return QString::fromLatin1(xcb_get_atom_name_name(r.get()),
                               xcb_get_atom_name_name_length(r.get()));
}

xcb_window_t racine(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem ? it.data->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

// The 32-bit values of a property, empty when absent or of another format.
std::vector<uint32_t> valeurs32(xcb_connection_t* c, xcb_window_t fenetre, xcb_atom_t propriete,
                                xcb_atom_t type) {
    const Reponse<xcb_get_property_reply_t> r(xcb_get_property_reply(
        c, xcb_get_property(c, 0, fenetre, propriete, type, 0, 4096), nullptr));
    if (!r || r->format != 32) return {};
    const auto* debut = static_cast<const uint32_t*>(xcb_get_property_value(r.get()));
    const int n = xcb_get_property_value_length(r.get()) / 4;
    return std::vector<uint32_t>(debut, debut + n);
}

void envoyerALaRacine(xcb_connection_t* c, xcb_window_t fenetre, xcb_atom_t type,
                      const uint32_t (&donnees)[5]) {
    xcb_client_message_event_t evenement;
    std::memset(&evenement, 0, sizeof evenement);
    evenement.response_type = XCB_CLIENT_MESSAGE;
    evenement.format = 32;
    evenement.window = fenetre;
    evenement.type = type;
    for (int i = 0; i < 5; ++i)
        evenement.data.data32[i] = donnees[i];
    xcb_send_event(c, 0, racine(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&evenement));
    xcb_flush(c);
}

void appliquer(xcb_connection_t* c, xcb_window_t fenetre, X11::Etat etat) {
    if (etat == X11::Etat::Minimise) {
        // ICCCM 4.1.4: a client asks to be iconified through WM_CHANGE_STATE.
        constexpr uint32_t IconicState = 3;
        envoyerALaRacine(c, fenetre, atome(c, "WM_CHANGE_STATE"), {IconicState, 0, 0, 0, 0});
    } else {
        constexpr uint32_t Ajouter = 1, SourceApplication = 1;
        envoyerALaRacine(c, fenetre, atome(c, "_NET_WM_STATE"),
                         {Ajouter, atome(c, "_NET_WM_STATE_MAXIMIZED_VERT"),
                          atome(c, "_NET_WM_STATE_MAXIMIZED_HORZ"), SourceApplication, 0});
    }
}

#endif

// Polls the client list until the process has a window, then sets its state once.
class SuiviEtat final : public QObject {
public:
    SuiviEtat(qint64 pid, X11::Etat etat, int delaiMs, QObject* parent)
        : QObject(parent)
        , pid_(pid)
        , etat_(etat)
        , restant_(delaiMs / IntervalleMs + 1) {
        minuterie_.setInterval(IntervalleMs);
        QObject::connect(&minuterie_, &QTimer::timeout, this, [this] { essayer(); });
        minuterie_.start();
    }

private:
    static constexpr int IntervalleMs = 100;

    void essayer() {
        bool fini = true;
#if QT_CONFIG(xcb)
        if (xcb_connection_t* c = connexion()) {
            const quint32 fenetre = X11::Premiere_Fenetre(pid_);
            if (fenetre) appliquer(c, fenetre, etat_);
            fini = fenetre != 0 || --restant_ <= 0;
        }
#endif
        if (fini) {
            minuterie_.stop();
            deleteLater();
        }
    }

    qint64 pid_;
    X11::Etat etat_;
    int restant_;
    QTimer minuterie_;
};

} // namespace

namespace X11 {

bool Disponible() {
#if QT_CONFIG(xcb)
    return connexion() != nullptr;
#else
    return false;
#endif
}

void Hors_Barre_Des_Taches(QWidget* fenetre) {
#if QT_CONFIG(xcb)
    xcb_connection_t* c = connexion();
    if (!c || !fenetre) return;
    const uint32_t etats[] = {atome(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                              atome(c, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(c, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(fenetre->winId()),
                        atome(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, etats);
    xcb_flush(c);
#else
    Q_UNUSED(fenetre);
#endif
}

void Appliquer_Etat(qint64 pid, Etat etat, QObject* parent, int delaiMs) {
    if (pid <= 0 || !Disponible()) return;
    new SuiviEtat(pid, etat, delaiMs, parent); // owned by parent, deletes itself when done
}

quint32 Premiere_Fenetre(qint64 pid) {
#if QT_CONFIG(xcb)
    xcb_connection_t* c = connexion();
    if (!c || pid <= 0) return 0;
    const xcb_atom_t pidWm = atome(c, "_NET_WM_PID");
    for (const uint32_t fenetre :
         valeurs32(c, racine(c), atome(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
        const std::vector<uint32_t> p = valeurs32(c, fenetre, pidWm, XCB_ATOM_CARDINAL);
        if (!p.empty() && static_cast<qint64>(p.front()) == pid) return fenetre;
    }
#else
    Q_UNUSED(pid);
#endif
    return 0;
}

QStringList Etats_Net(quint32 fenetre) {
    QStringList noms;
#if QT_CONFIG(xcb)
    xcb_connection_t* c = connexion();
    if (!c || !fenetre) return noms;
    for (const uint32_t a : valeurs32(c, fenetre, atome(c, "_NET_WM_STATE"), XCB_ATOM_ATOM))
        noms << nomAtome(c, a);
#else
    Q_UNUSED(fenetre);
#endif
    return noms;
}

bool Est_Iconifiee(quint32 fenetre) {
#if QT_CONFIG(xcb)
    xcb_connection_t* c = connexion();
    if (!c || !fenetre) return false;
    const xcb_atom_t wmState = atome(c, "WM_STATE");
    const std::vector<uint32_t> v = valeurs32(c, fenetre, wmState, wmState);
    return !v.empty() && v.front() == 3;
#else
    Q_UNUSED(fenetre);
    return false;
#endif
}

} // namespace X11
