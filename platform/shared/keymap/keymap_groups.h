#ifndef KBLAYOUTS_KEYMAP_GROUPS_H
#define KBLAYOUTS_KEYMAP_GROUPS_H

#include <stdint.h>

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

// Gives each group, in group order, the input locale identifier Windows
// would give its layout (see LayoutIdentifiers). A group's layout is the
// one the symbols name gives it, else the one its name describes. The
// groups are as many as the symbols name names, else count. Fills at most
// capacity slots and returns how many it filled, at most XKB_MAX_GROUPS.
int GroupIdentifiers(const KeymapGroups *keymap, int capacity, uint32_t *hklList);

#endif
