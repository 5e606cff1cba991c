"""What read-dialog.py and read-menu.py share: the accessibility bus, read through
Debian's gir1.2-atspi-2.0 (hence /usr/bin/python3 in both)."""
import signal
import sys
import warnings

sys.dont_write_bytecode = True   # no __pycache__ in the source tree
import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402,F401

signal.signal(signal.SIGPIPE, signal.SIG_DFL)
warnings.simplefilter("ignore", DeprecationWarning)   # libatspi renames its calls often
# A program stuck in a modal loop answers nothing: give up after 3 s, not the bus's 25.
Atspi.set_timeout(3000, 15000)


def sur(f, defaut=None):
    """f(), or defaut when the object went away or the program did not answer."""
    try:
        return f()
    except Exception:
        return defaut


def enfants(a):
    for i in range(sur(a.get_child_count, 0) or 0):
        c = sur(lambda i=i: a.get_child_at_index(i))
        if c is not None:
            yield c


def etats(a):
    s = sur(a.get_state_set)
    return sorted(Atspi.StateType(e).value_nick for e in (sur(s.get_states, []) if s else []))


def interfaces(a):
    return sur(a.get_interfaces, []) or []


def contenu(a):
    if "Text" not in interfaces(a):
        return ""
    return sur(lambda: Atspi.Text.get_text(a, 0, Atspi.Text.get_character_count(a)), "") or ""


def sans_mnemonique(nom):
    return nom.replace("&", "").lower()


def appuyer(a):
    """Runs the object's press (or click, activate, toggle) action: "pressed", "no-reply",
    or None when it has none. Qt runs the action inside the D-Bus call, so one that opens a
    modal box answers only once the box is closed: after 500 ms the press is taken as done."""
    if "Action" not in interfaces(a):
        return None
    n = sur(lambda: Atspi.Action.get_n_actions(a), 0) or 0
    noms = [(sur(lambda i=i: Atspi.Action.get_action_name(a, i), "") or "").lower() for i in range(n)]
    for voulu in ("press", "click", "activate", "toggle"):
        if voulu not in noms:
            continue
        Atspi.set_timeout(500, 15000)
        try:
            return "pressed" if Atspi.Action.do_action(a, noms.index(voulu)) else None
        except GLib.Error as e:
            return "no-reply" if "imeout" in e.message or "NoReply" in e.message else None
        finally:
            Atspi.set_timeout(3000, 15000)
    return None
