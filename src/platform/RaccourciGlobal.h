#pragma once

#include <QKeySequence>

#include <functional>

// A key taken for the whole desktop: its presses reach the program whichever window has
// the focus. One key at a time.
class ServiceRaccourciGlobal {
public:
    enum class Prise {
        Prise,       // the key is the program's
        Aucune,      // none was asked for: the one held before, if any, is let go
        Refusee,     // another program holds it
        Indisponible // no desktop where a key can be taken (Wayland), or no such key here
    };

    virtual ~ServiceRaccourciGlobal() = default;
    // Takes the first key of the sequence, in place of the one held before.
    virtual Prise prendre(const QKeySequence& touche) = 0;
    virtual void relacher() = 0;

    // What a press of the key does.
    void definirAction(std::function<void()> action) { action_ = std::move(action); }

protected:
    void declencher() {
        if (action_) action_();
    }

private:
    std::function<void()> action_;
};
