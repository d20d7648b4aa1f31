#include "app/XkbIndicators.h"

#ifdef QRN_HAVE_XKB
#include <X11/XKBlib.h>
#endif

bool readXkbIndicators(void* display, unsigned int& bits) {
#ifdef QRN_HAVE_XKB
    if (!display) return false;
    return XkbGetIndicatorState(static_cast<Display*>(display), XkbUseCoreKbd, &bits) == Success;
#else
    (void)display;
    (void)bits;
    return false;
#endif
}
