#ifndef KBLAYOUTS_LAYOUT_TABLES_H
#define KBLAYOUTS_LAYOUT_TABLES_H

#include <stddef.h>
#include <stdint.h>

// What Windows would make of an XKB layout or variant, or of a language:
// the offsets in LAYOUT_TEXT of its key and of its language's ISO 639 code;
// the LANGID of its input language, 0 where Windows lacks the language; the
// HKL high word ("device word") of the Windows keyboard equivalent to it, 0
// where none is known; and the device word of its input language's default
// input profile, 0 where that is the LANGID itself. Offset 0 is the empty
// string: the registry names no language. Offsets rather than pointers
// keep the tables free of relocations.
struct WindowsLayout {
	uint16_t key;
	uint16_t language;
	uint16_t langid;
	uint16_t device;
	uint16_t defaultDevice;
};

extern const char LAYOUT_TEXT[];

// Keyed by name, "de" or "ch(fr)"; a variant is listed only where it
// differs from its layout.
extern const WindowsLayout LAYOUT_NAMES[];
extern const size_t LAYOUT_NAME_COUNT;

// Keyed by description, "German" or "French (Switzerland)".
extern const WindowsLayout LAYOUT_DESCRIPTIONS[];
extern const size_t LAYOUT_DESCRIPTION_COUNT;

// Keyed by language tag as locales write it, "ko" or "zh_TW"; a language
// in a country is listed only where it differs from the language alone.
extern const WindowsLayout LANGUAGES[];
extern const size_t LANGUAGE_COUNT;

// All are sorted by key, byte by byte.

// A Windows keyboard the facts know, by the device word of its HKLs: a
// KLID whose high word is 0 by its low word, one with a registry Layout Id
// by F000 | that Id.
struct WindowsKeyboard {
	uint16_t device;
	uint32_t klid;
};

// Sorted by device word.
extern const WindowsKeyboard WINDOWS_KEYBOARDS[];
extern const size_t WINDOWS_KEYBOARD_COUNT;

#endif
