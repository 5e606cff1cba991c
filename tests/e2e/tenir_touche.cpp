// Another program of the desktop that wants Ctrl+Alt+Space for itself: it grabs the key
// on the root window, with and without Caps Lock and Num Lock, and says on its output
// "tenue" (then holds it until killed) or "refusee" (someone holds it: it ends, status 1).
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main() {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_window_t racine = xcb_setup_roots_iterator(setup).data->root;
    const int n = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* carte = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(n)), nullptr);
    if (!carte) return 2;
    xcb_keycode_t espace = 0;
    const xcb_keysym_t* symboles = xcb_get_keyboard_mapping_keysyms(carte);
    for (int i = 0; i < xcb_get_keyboard_mapping_keysyms_length(carte) && !espace; ++i)
        if (symboles[i] == 0x20)
            espace =
                static_cast<xcb_keycode_t>(setup->min_keycode + i / carte->keysyms_per_keycode);
    std::free(carte);
    if (!espace) return 2;

    bool refusee = false;
    const uint16_t combinaisons[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                     XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    for (const uint16_t verrous : combinaisons) {
        xcb_generic_error_t* erreur = xcb_request_check(
            c, xcb_grab_key_checked(c, 0, racine, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | verrous,
                                    espace, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        refusee = refusee || erreur != nullptr;
        std::free(erreur);
    }
    std::puts(refusee ? "refusee" : "tenue");
    std::fflush(stdout);
    if (refusee) return 1;
    for (;;)
        pause();
}
