#ifndef KBLAYOUTS_SYMBOLS_NAME_H
#define KBLAYOUTS_SYMBOLS_NAME_H

#include <stddef.h>

enum { XKB_MAX_GROUPS = 4 };

// A slice of the symbols name: a layout, with its variant if it has one.
struct LayoutName {
	const char *text;
	size_t length;
};

// Finds the layout of each keyboard group in an XKB symbols name such as
// "pc+de+fr:2+us(dvorak):3+inet(evdev)". Returns how many groups have one,
// and their layouts in group order. Any string is safe to pass.
int ParseSymbolsName(const char *symbols, size_t length,
    LayoutName layouts[XKB_MAX_GROUPS]);

#endif
