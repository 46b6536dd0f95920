#ifndef KBLAYOUTS_FCITX5_ITEMS_H
#define KBLAYOUTS_FCITX5_ITEMS_H

#include "layout_tables.h"
#include "text.h"

// Finds what Windows makes of an item of an fcitx5 group, given its input
// method's unique name and the language code fcitx5 gives that ("ja",
// "zh_CN", maybe empty): a keyboard-LAYOUT or keyboard-LAYOUT-VARIANT item
// is that XKB layout; any other input method is of its language. *layout
// becomes NULL for a language the tables lack. False for a keyboard the
// registry lacks.
bool Fcitx5ItemLayout(Text name, Text language, const WindowsLayout **layout);

// Whether the item is one of fcitx5's keyboards, which need no language.
bool IsFcitx5Keyboard(Text name);

#endif
