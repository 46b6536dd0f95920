#ifndef KBLAYOUTS_LAYOUT_TABLES_H
#define KBLAYOUTS_LAYOUT_TABLES_H

#include <stddef.h>
#include <stdint.h>

// An XKB layout or variant, or a language: the offsets in LAYOUT_TEXT of its key and of
// its language's ISO 639 code, and its Windows language identifier, 0 where
// Windows lacks its language. Offset 0 is the empty string: the registry
// names no language. Offsets rather than pointers keep the tables free of
// relocations.
struct LayoutLanguage {
	uint16_t key;
	uint16_t language;
	uint16_t langid;
};

extern const char LAYOUT_TEXT[];

// Keyed by name, "de" or "ch(fr)"; a variant is listed only where it
// differs from its layout.
extern const LayoutLanguage LAYOUT_NAMES[];
extern const size_t LAYOUT_NAME_COUNT;

// Keyed by description, "German" or "French (Switzerland)".
extern const LayoutLanguage LAYOUT_DESCRIPTIONS[];
extern const size_t LAYOUT_DESCRIPTION_COUNT;

// Keyed by language tag as locales write it, "ko" or "zh_TW"; a language
// in a country is listed only where it differs from the language alone.
extern const LayoutLanguage LANGUAGES[];
extern const size_t LANGUAGE_COUNT;

// All are sorted by key, byte by byte.

#endif
