#pragma once

#include "platform/RaccourciGlobal.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <optional>
#include <vector>

// The desktop key through a passive grab of the X server on the root window, once for
// each state of the lock keys (Caps Lock, Num Lock, Scroll Lock), which the server counts
// as modifiers. Its presses come through Qt's own connection, read by a native event
// filter. Without an X11 display, or through XWayland, nothing is taken.
class RaccourciX11 final : public ServiceRaccourciGlobal, private QAbstractNativeEventFilter {
public:
    RaccourciX11() = default;
    ~RaccourciX11() override;
    RaccourciX11(const RaccourciX11&) = delete;
    RaccourciX11& operator=(const RaccourciX11&) = delete;

    Prise prendre(const QKeySequence& touche) override;
    void relacher() override;

    // The X key symbol of a Qt key, 0 for a key this program does not take.
    static uint32_t Symbole(int cleQt);

private:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* resultat) override;

    struct Tenue {
        uint32_t racine = 0;
        uint8_t code = 0;
        uint16_t modificateurs = 0;
        uint16_t verrous = 0; // every lock modifier, left out when a press is compared
        std::vector<uint16_t> combinaisons;
    };
    std::optional<Tenue> tenue_;
};
