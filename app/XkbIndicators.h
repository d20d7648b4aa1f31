// The keyboard's lock indicators through XKB, kept apart because X11's
// headers define names (KeyRelease, None...) that clash with Qt's.
#pragma once

// display is an X11 Display*. Bit 0 Caps Lock, bit 1 Num Lock, bit 2 Scroll
// Lock. False when the state cannot be read (or XKB was not built in).
bool readXkbIndicators(void* display, unsigned int& bits);
