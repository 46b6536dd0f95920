#ifndef KBLAYOUTS_SYMBOLS_NAME_H
#define KBLAYOUTS_SYMBOLS_NAME_H

#include "text.h"

enum { XKB_MAX_GROUPS = 4 };

// Finds the layout of each keyboard group that an XKB symbols name names,
// as the rules write it, "pc+de+fr:2+us(dvorak):3+inet(evdev)", or as
// xkbcomp writes it back, "pc_de_fr_2_us(dvorak)_3_inet(evdev)".
// layouts[g] becomes group g + 1's layout, without a vendor directory
// ("sun_vndr/de" is "de"), or stays empty. Returns the highest group the
// name gives a layout, 0 for none. Any bytes are safe to pass.
int ParseSymbolsName(Text symbols, Text layouts[XKB_MAX_GROUPS]);

#endif
