#ifndef KBLAYOUTS_KEYMAP_GROUPS_H
#define KBLAYOUTS_KEYMAP_GROUPS_H

#include <stdint.h>

#include "found_layouts.h"
#include "symbols_name.h"
#include "text.h"

// What a display server tells of its keymap: how many groups it has, its
// symbols name, and each group's name, which is the registry's description
// of the group's layout ("German", "English (Dvorak)"). Any text may be
// empty.
struct KeymapGroups {
	int count;
	Text symbols;
	Text names[XKB_MAX_GROUPS];
};

// Finds each group's layout, in group order: the one the symbols name
// gives it, else the one its name describes. The groups are as many as the
// symbols name names, else count, and at most XKB_MAX_GROUPS. Leaves
// found->active as it is.
void GroupLayouts(const KeymapGroups *keymap, FoundLayouts *found);

#endif
