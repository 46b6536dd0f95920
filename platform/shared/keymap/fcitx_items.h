#ifndef KBLAYOUTS_FCITX_ITEMS_H
#define KBLAYOUTS_FCITX_ITEMS_H

#include "layout_tables.h"
#include "text.h"

// fcitx names its keyboards by a prefix, then LAYOUT or LAYOUT-VARIANT:
// "keyboard-de-nodeadkeys" in fcitx5, "fcitx-keyboard-de-nodeadkeys" in
// fcitx 4.
extern const char FCITX5_KEYBOARD[];
extern const char FCITX4_KEYBOARD[];

// Finds what Windows makes of an input method in fcitx's list, given its
// unique name, the prefix of keyboards' names, and the language code fcitx
// gives it ("ja", "zh_CN", maybe empty): a keyboard is its XKB layout; any
// other input method is of its language. *layout becomes NULL for a
// language the tables lack. False for a keyboard the registry lacks.
bool FcitxItemLayout(Text name, const char *keyboardPrefix, Text language,
    const WindowsLayout **layout);

// Whether the input method is one of fcitx's keyboards, which need no
// language.
bool IsFcitxKeyboard(Text name, const char *keyboardPrefix);

#endif
