// The module of the printing through Qt's print support, which the program loads on first
// use (see ServicesDifferes.h).
#include "platform/linux/ImpressionQt.h"
#include "platform/linux/ServicesDifferes.h"

extern "C" Q_DECL_EXPORT ServiceImpression* dalvire_creer_impression_qt() {
    return new ImpressionQt;
}
