#ifndef KBLAYOUTS_KEYMAP_TEXT_H
#define KBLAYOUTS_KEYMAP_TEXT_H

#include "keymap_groups.h"

// Longest group name kept; a longer one is cut there.
enum { GROUP_NAME_MAX = 256 };

// The group names found in a keymap, their bytes held here.
struct KeymapText {
	KeymapGroups groups;
	char names[XKB_MAX_GROUPS][GROUP_NAME_MAX];
};

// Reads the group names of a keymap in XKB's text format, the
// name[Group1]="German" entries of its xkb_symbols section, with their
// escapes undone. The named groups, in group order, become keymap->groups;
// the symbols name stays empty. Any bytes are safe to pass; nothing is
// read past text.length.
void ScanKeymapText(Text text, KeymapText *keymap);

#endif
