#include "platform/linux/RaccourciX11.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

#if QT_CONFIG(xcb)

struct LiberationReponse {
    void operator()(void* reponse) const { std::free(reponse); }
};
template <typename T> using Reponse = std::unique_ptr<T, LiberationReponse>;

constexpr uint32_t SymboleVerrNum = 0xff7f;
constexpr uint32_t SymboleArretDefil = 0xff14;
constexpr uint8_t ErreurAcces = 10; // BadAccess: the combination is another client's

// XWayland hands an X client the keys only while one of its own windows has the focus: a
// grab there would look taken and never fire.
bool Session_Wayland() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE")
                   .compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
}

xcb_connection_t* Connexion() {
    if (!qGuiApp) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The first key code whose keyboard mapping holds the symbol, in any column; 0 if none.
uint8_t Code_De(xcb_connection_t* c, uint32_t symbole) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const uint8_t premier = setup->min_keycode;
    const int nombre = setup->max_keycode - premier + 1;
    const Reponse<xcb_get_keyboard_mapping_reply_t> r(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, premier, static_cast<uint8_t>(nombre)), nullptr));
    if (!r || r->keysyms_per_keycode == 0) return 0;
    const xcb_keysym_t* symboles = xcb_get_keyboard_mapping_keysyms(r.get());
    const int total = xcb_get_keyboard_mapping_keysyms_length(r.get());
    for (int i = 0; i < total; ++i)
        if (symboles[i] == symbole)
            return static_cast<uint8_t>(premier + i / r->keysyms_per_keycode);
    return 0;
}

// The modifier bit the server gives the key of that code (Num Lock is usually Mod2), 0 if
// it gives none.
uint16_t Masque_De(xcb_connection_t* c, uint8_t code) {
    if (code == 0) return 0;
    const Reponse<xcb_get_modifier_mapping_reply_t> r(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!r) return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(r.get());
    const int parModificateur = r->keycodes_per_modifier;
    for (int m = 0; m < 8; ++m)
        for (int i = 0; i < parModificateur; ++i)
            if (codes[m * parModificateur + i] == code) return static_cast<uint16_t>(1u << m);
    return 0;
}

uint16_t Modificateurs_X11(Qt::KeyboardModifiers m) {
    uint16_t x = 0;
    if (m & Qt::ShiftModifier) x |= XCB_MOD_MASK_SHIFT;
    if (m & Qt::ControlModifier) x |= XCB_MOD_MASK_CONTROL;
    if (m & Qt::AltModifier) x |= XCB_MOD_MASK_1;
    if (m & Qt::MetaModifier) x |= XCB_MOD_MASK_4;
    return x;
}

#endif

} // namespace

uint32_t RaccourciX11::Symbole(int cleQt) {
    // Printable Latin-1 keys: the symbol is the character, its small letter for a letter.
    if (cleQt >= 0x20 && cleQt <= 0x7e) {
        if (cleQt >= 'A' && cleQt <= 'Z') return static_cast<uint32_t>(cleQt - 'A' + 'a');
        return static_cast<uint32_t>(cleQt);
    }
    if (cleQt >= 0xa0 && cleQt <= 0xff) {
        // Qt names the accented letters by their capital; the keyboard's first column holds
        // the small one (0xd7 and 0xdf have no pair).
        if (cleQt >= 0xc0 && cleQt <= 0xde && cleQt != 0xd7)
            return static_cast<uint32_t>(cleQt + 0x20);
        return static_cast<uint32_t>(cleQt);
    }
    if (cleQt >= Qt::Key_F1 && cleQt <= Qt::Key_F35)
        return 0xffbe + static_cast<uint32_t>(cleQt - Qt::Key_F1);
    switch (cleQt) {
    case Qt::Key_Escape:
        return 0xff1b;
    case Qt::Key_Tab:
        return 0xff09;
    case Qt::Key_Backspace:
        return 0xff08;
    case Qt::Key_Return:
        return 0xff0d;
    case Qt::Key_Enter:
        return 0xff8d;
    case Qt::Key_Insert:
        return 0xff63;
    case Qt::Key_Delete:
        return 0xffff;
    case Qt::Key_Pause:
        return 0xff13;
    case Qt::Key_Print:
        return 0xff61;
    case Qt::Key_Home:
        return 0xff50;
    case Qt::Key_Left:
        return 0xff51;
    case Qt::Key_Up:
        return 0xff52;
    case Qt::Key_Right:
        return 0xff53;
    case Qt::Key_Down:
        return 0xff54;
    case Qt::Key_PageUp:
        return 0xff55;
    case Qt::Key_PageDown:
        return 0xff56;
    case Qt::Key_End:
        return 0xff57;
    case Qt::Key_Menu:
        return 0xff67;
    default:
        return 0;
    }
}

RaccourciX11::~RaccourciX11() {
    relacher();
}

ServiceRaccourciGlobal::Prise RaccourciX11::prendre(const QKeySequence& touche) {
    relacher();
    if (touche.isEmpty()) return Prise::Aucune;
#if QT_CONFIG(xcb)
    xcb_connection_t* c = Connexion();
    if (!c || Session_Wayland()) return Prise::Indisponible;
    const QKeyCombination combinaison = touche[0];
    const uint32_t symbole = Symbole(combinaison.key());
    const uint8_t code = symbole ? Code_De(c, symbole) : 0;
    const xcb_screen_iterator_t ecrans = xcb_setup_roots_iterator(xcb_get_setup(c));
    if (code == 0 || !ecrans.rem) return Prise::Indisponible;

    Tenue t;
    t.racine = ecrans.data->root;
    t.code = code;
    t.modificateurs = Modificateurs_X11(combinaison.keyboardModifiers());
    const uint16_t verrous[] = {XCB_MOD_MASK_LOCK, Masque_De(c, Code_De(c, SymboleVerrNum)),
                                Masque_De(c, Code_De(c, SymboleArretDefil))};
    // Every state of the lock keys is a combination of its own for the server.
    t.combinaisons = {0};
    for (const uint16_t v : verrous) {
        if (v == 0 || (t.verrous & v)) continue;
        t.verrous |= v;
        const std::vector<uint16_t> avant = t.combinaisons;
        for (const uint16_t a : avant)
            t.combinaisons.push_back(a | v);
    }
    std::vector<xcb_void_cookie_t> demandes;
    for (const uint16_t v : t.combinaisons)
        demandes.push_back(xcb_grab_key_checked(c, 0, t.racine, t.modificateurs | v, t.code,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refusee = false;
    bool echec = false;
    for (const xcb_void_cookie_t d : demandes) {
        const Reponse<xcb_generic_error_t> erreur(xcb_request_check(c, d));
        if (!erreur) continue;
        (erreur->error_code == ErreurAcces ? refusee : echec) = true;
    }
    if (refusee || echec) {
        // Half a key is no key: what was taken goes back.
        for (const uint16_t v : t.combinaisons)
            xcb_ungrab_key(c, t.code, t.racine, t.modificateurs | v);
        xcb_flush(c);
        return refusee ? Prise::Refusee : Prise::Indisponible;
    }
    tenue_ = std::move(t);
    QCoreApplication::instance()->installNativeEventFilter(this);
    return Prise::Prise;
#else
    return Prise::Indisponible;
#endif
}

void RaccourciX11::relacher() {
    if (!tenue_) return;
#if QT_CONFIG(xcb)
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
    if (xcb_connection_t* c = Connexion()) {
        for (const uint16_t v : tenue_->combinaisons)
            xcb_ungrab_key(c, tenue_->code, tenue_->racine, tenue_->modificateurs | v);
        xcb_flush(c);
    }
#endif
    tenue_.reset();
}

bool RaccourciX11::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
#if QT_CONFIG(xcb)
    if (!tenue_ || type != "xcb_generic_event_t") return false;
    const auto* evenement = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t genre = evenement->response_type & 0x7f;
    if (genre != XCB_KEY_PRESS && genre != XCB_KEY_RELEASE) return false;
    const auto* cle = static_cast<const xcb_key_press_event_t*>(message);
    if (cle->event != tenue_->racine || cle->detail != tenue_->code) return false;
    // The key's own modifiers, whatever the lock keys and the mouse buttons are.
    const uint16_t modificateurs = cle->state & 0xff & ~tenue_->verrous;
    if (modificateurs != tenue_->modificateurs) return false;
    if (genre == XCB_KEY_PRESS) declencher();
    return true;
#else
    Q_UNUSED(type);
    Q_UNUSED(message);
    return false;
#endif
}
