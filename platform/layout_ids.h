#ifndef KBLAYOUTS_LAYOUT_IDS_H
#define KBLAYOUTS_LAYOUT_IDS_H

#include <stdint.h>

#include "symbols_name.h"

// Finds the Windows language identifier of a layout or "layout(variant)";
// a variant not listed on its own has its layout's. Returns false for a
// name the keyboard registry does not know; a known layout whose language
// Windows lacks has the LANGID 0.
bool FindLayoutLangid(const char *name, size_t length, uint16_t *langid);

// Gives each layout the input locale identifier of its language's default
// input locale, LANGID in both words. Layouts whose language has no LANGID
// get the transient ones 0x2000, 0x2400, 0x2800, 0x2C00 in order of
// appearance; count is at most XKB_MAX_GROUPS.
void LayoutIdentifiers(const LayoutName *layouts, int count, uint32_t *hklList);

#endif
