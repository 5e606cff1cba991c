// The desktop key on a real X server (tests/bureau): presses reach it whatever the lock keys;
// it is ours alone while held, refused (nothing of it kept) while another client holds it.
#include "platform/linux/RaccourciX11.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

using Prise = ServiceRaccourciGlobal::Prise;

namespace {

const QKeySequence CtrlAltEspace(QStringLiteral("Ctrl+Alt+Space"));
constexpr uint8_t EspaceXvfb = 65; // the key code of Space in the X server's own keymap
constexpr uint16_t CtrlAlt = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;

void xdotool(const QStringList& touches) {
    QProcess::execute("xdotool", QStringList{"key"} + touches);
}

// The X error of another client's grab of Ctrl+Alt+Space with those lock bits, 0 if taken.
int saisieAutre(xcb_connection_t* autre, uint16_t verrous) {
    const xcb_window_t racine = xcb_setup_roots_iterator(xcb_get_setup(autre)).data->root;
    xcb_generic_error_t* e = xcb_request_check(
        autre, xcb_grab_key_checked(autre, 0, racine, CtrlAlt | verrous, EspaceXvfb,
                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const int erreur = e ? e->error_code : 0;
    free(e);
    return erreur;
}

} // namespace

class TestRaccourciX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        if (QGuiApplication::platformName() != "xcb") QSKIP("needs tests/bureau/session.sh");
    }

    void appuisReels() {
        int appuis = 0;
        RaccourciX11 r;
        r.definirAction([&] { ++appuis; });
        QCOMPARE(r.prendre(CtrlAltEspace), Prise::Prise);
        for (const QStringList& verrous :
             {QStringList(), {"Num_Lock"}, {"Caps_Lock"}, {"Num_Lock", "Caps_Lock"}}) {
            xdotool(verrous + QStringList{"ctrl+alt+space", "ctrl+space", "ctrl+alt+shift+space"} +
                    verrous);
            QTRY_COMPARE(appuis, 1);
            appuis = 0;
        }
        r.relacher();
        xdotool({"ctrl+alt+space"});
        QTest::qWait(300);
        QCOMPARE(appuis, 0);
    }

    void prisesConcurrentes() {
        xcb_connection_t* autre = xcb_connect(nullptr, nullptr);
        {
            RaccourciX11 r;
            QCOMPARE(r.prendre(CtrlAltEspace), Prise::Prise);
            QCOMPARE(saisieAutre(autre, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2), 10); // BadAccess
        }
        QCOMPARE(saisieAutre(autre, XCB_MOD_MASK_LOCK), 0);
        RaccourciX11 r;
        QCOMPARE(r.prendre(CtrlAltEspace), Prise::Refusee);
        QCOMPARE(saisieAutre(autre, 0), 0); // what was free was given back
        xcb_disconnect(autre);
        QTRY_COMPARE(r.prendre(CtrlAltEspace), Prise::Prise);
    }
};

QTEST_MAIN(TestRaccourciX11)
#include "test_raccourci_x11.moc"
