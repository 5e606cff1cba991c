// The module of the desktop services on GIO, which the program loads on first use (see
// ServicesDifferes.h).
#include "platform/linux/ServicesDifferes.h"
#include "platform/linux/ShellGio.h"

extern "C" Q_DECL_EXPORT ServiceShell* dalvire_creer_shell_gio() {
    return new ShellGio;
}
