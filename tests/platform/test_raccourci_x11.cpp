// The desktop key on a real X server: the key symbols of Qt's keys, then, in a desktop of
// tests/bureau, a grab that receives real presses whatever the lock keys, and that another
// client of the server cannot take while it is held (nor the other way round).
#include "platform/linux/RaccourciX11.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

const QKeySequence CtrlAltEspace(QStringLiteral("Ctrl+Alt+Space"));

bool xdotool(const QStringList& arguments) {
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// Another program of the desktop, on a connection of its own.
struct AutreClient {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    ~AutreClient() { xcb_disconnect(c); }
    xcb_window_t racine() const { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }
    // The X error of a grab of the key, 0 when it was taken.
    int saisir(uint8_t code, uint16_t modificateurs) {
        xcb_generic_error_t* e =
            xcb_request_check(c, xcb_grab_key_checked(c, 0, racine(), modificateurs, code,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const int erreur = e ? e->error_code : 0;
        std::free(e);
        return erreur;
    }
    // The key code of Space, as xdotool presses it.
    uint8_t codeEspace() {
        const xcb_setup_t* s = xcb_get_setup(c);
        const int n = s->max_keycode - s->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* r = xcb_get_keyboard_mapping_reply(
            c, xcb_get_keyboard_mapping(c, s->min_keycode, uint8_t(n)), nullptr);
        uint8_t code = 0;
        const xcb_keysym_t* k = xcb_get_keyboard_mapping_keysyms(r);
        for (int i = 0; i < xcb_get_keyboard_mapping_keysyms_length(r) && !code; ++i)
            if (k[i] == 0x20) code = uint8_t(s->min_keycode + i / r->keysyms_per_keycode);
        std::free(r);
        return code;
    }
};

constexpr uint16_t CtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

} // namespace

class TestRaccourciX11 : public QObject {
    Q_OBJECT
    bool x11() const { return QGuiApplication::platformName() == QLatin1String("xcb"); }

private Q_SLOTS:
    void symboles_data() {
        QTest::addColumn<int>("cle");
        QTest::addColumn<uint>("symbole");
        QTest::newRow("espace") << int(Qt::Key_Space) << 0x20u;
        QTest::newRow("lettre") << int(Qt::Key_K) << uint('k');
        QTest::newRow("chiffre") << int(Qt::Key_7) << uint('7');
        QTest::newRow("lettre accentuée") << int(Qt::Key_Eacute) << 0xe9u;
        QTest::newRow("multiplication") << int(Qt::Key_multiply) << 0xd7u;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0xffbeu;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0xffc9u;
        QTest::newRow("Entrée") << int(Qt::Key_Return) << 0xff0du;
        QTest::newRow("Pause") << int(Qt::Key_Pause) << 0xff13u;
        QTest::newRow("touche multimédia") << int(Qt::Key_VolumeUp) << 0u;
    }
    void symboles() {
        QFETCH(int, cle);
        QTEST(uint(RaccourciX11::Symbole(cle)), "symbole");
    }

    void horsX11RienNEstPris() {
        if (x11()) QSKIP("this platform is X11");
        RaccourciX11 r;
        QCOMPARE(r.prendre(CtrlAltEspace), ServiceRaccourciGlobal::Prise::Indisponible);
        QCOMPARE(r.prendre(QKeySequence()), ServiceRaccourciGlobal::Prise::Aucune);
    }

    // Real presses through xdotool, with the lock keys in each state.
    void appuisReels() {
        if (!x11()) QSKIP("needs an X11 desktop: run in tests/bureau/session.sh");
        int appuis = 0;
        RaccourciX11 r;
        r.definirAction([&] { ++appuis; });
        QCOMPARE(r.prendre(CtrlAltEspace), ServiceRaccourciGlobal::Prise::Prise);
        const QStringList verrous[] = {{}, {"Num_Lock"}, {"Caps_Lock"}, {"Num_Lock", "Caps_Lock"}};
        for (const QStringList& v : verrous) {
            for (const QString& t : v)
                QVERIFY(xdotool({"key", t}));
            QVERIFY(xdotool({"key", "ctrl+alt+space"}));
            QTRY_COMPARE_WITH_TIMEOUT(appuis, 1, 5000);
            // Other modifiers are other keys.
            QVERIFY(xdotool({"key", "ctrl+space", "ctrl+alt+shift+space", "space"}));
            QTest::qWait(200);
            QCOMPARE(appuis, 1);
            for (const QString& t : v)
                QVERIFY(xdotool({"key", t}));
            appuis = 0;
        }
        r.relacher();
        QVERIFY(xdotool({"key", "ctrl+alt+space"}));
        QTest::qWait(200);
        QCOMPARE(appuis, 0);
    }

    // Through XWayland a grab would look taken and never fire: none is made.
    void sessionWayland() {
        if (!x11()) QSKIP("needs an X11 desktop: run in tests/bureau/session.sh");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        RaccourciX11 r;
        const ServiceRaccourciGlobal::Prise prise = r.prendre(CtrlAltEspace);
        qunsetenv("WAYLAND_DISPLAY");
        QCOMPARE(prise, ServiceRaccourciGlobal::Prise::Indisponible);
        AutreClient autre;
        QCOMPARE(autre.saisir(autre.codeEspace(), CtrlAlt), 0);
    }

    // While held, another program of the desktop cannot take the key; held by another
    // program, the key is refused here, and nothing of it is kept half taken.
    void prisesConcurrentes() {
        if (!x11()) QSKIP("needs an X11 desktop: run in tests/bureau/session.sh");
        AutreClient autre;
        const uint8_t espace = autre.codeEspace();
        QVERIFY(espace != 0);
        {
            RaccourciX11 r;
            QCOMPARE(r.prendre(CtrlAltEspace), ServiceRaccourciGlobal::Prise::Prise);
            QCOMPARE(autre.saisir(espace, CtrlAlt), 10); // BadAccess
            QCOMPARE(autre.saisir(espace, CtrlAlt | XCB_MOD_MASK_LOCK), 10);
        }
        // Let go with the program's service: the other one may take it now.
        QCOMPARE(autre.saisir(espace, CtrlAlt | XCB_MOD_MASK_LOCK), 0);
        RaccourciX11 r;
        QCOMPARE(r.prendre(CtrlAltEspace), ServiceRaccourciGlobal::Prise::Refusee);
        // The combinations that were free were given back.
        QCOMPARE(autre.saisir(espace, CtrlAlt), 0);
        xcb_ungrab_key(autre.c, XCB_GRAB_ANY, autre.racine(), XCB_MOD_MASK_ANY);
        xcb_flush(autre.c);
        QTRY_COMPARE_WITH_TIMEOUT(r.prendre(CtrlAltEspace), ServiceRaccourciGlobal::Prise::Prise,
                                  3000);
    }
};

QTEST_MAIN(TestRaccourciX11)
#include "test_raccourci_x11.moc"
