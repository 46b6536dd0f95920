#ifndef KBLAYOUTS_LAYOUT_IDENTIFIERS_H
#define KBLAYOUTS_LAYOUT_IDENTIFIERS_H

#include <stdint.h>

#include "found_layouts.h"

// Gives each layout, in order, the input locale identifier (HKL) Windows
// would give the same keyboard: the device word of its Windows keyboard
// above the LANGID of its input language. Languages Windows lacks get the
// transient LANGIDs 0x2000, 0x2400, 0x2800, 0x2C00 in order of appearance,
// one per language; a layout of unknown language (NULL) gets one of its
// own. Windows has no fifth transient LANGID: a layout that would need one
// is left out.
//
// As Windows lists no HKL twice, layouts with a known Windows keyboard
// claim their HKLs first, in order; the others then take the HKL of their
// language's default input profile, unless an earlier one has it; and the
// rest are named as keyboards the user installed would be, with the device
// words F0C0, F0C1, ... in order. Fills at most capacity slots and
// returns how many it filled. Where active is given, *active becomes the
// slot of the layout in use, or 0 where that is not known or left out.
int LayoutIdentifiers(const FoundLayouts *found, int capacity, uint32_t *hklList,
    int *active);

#endif
