#ifndef KBLAYOUTS_LAYOUT_IDENTIFIERS_H
#define KBLAYOUTS_LAYOUT_IDENTIFIERS_H

#include <stdint.h>

#include "layout_tables.h"

// Gives each layout, in order, the input locale identifier Windows would
// give it: the LANGID of its language in both words. Languages Windows
// lacks get the transient LANGIDs 0x2000, 0x2400, 0x2800, 0x2C00 in order
// of appearance, one per language; a layout of unknown language (NULL) gets
// one of its own. Windows has no fifth transient LANGID: a layout that
// would need one is left out. Fills at most capacity slots and returns how
// many it filled.
int LayoutIdentifiers(const LayoutLanguage *const languages[], int count,
    int capacity, uint32_t *hklList);

#endif
