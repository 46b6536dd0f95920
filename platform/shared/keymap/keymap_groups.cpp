#include "keymap_groups.h"

#include "layout_lookup.h"

static const WindowsLayout *GroupLayout(Text layout, Text name)
{
	const WindowsLayout *found = NULL;

	if (layout.length > 0)
		found = FindLayoutByName(layout);
	if (!found && name.length > 0)
		found = FindLayoutByDescription(name);
	return found;
}

void GroupLayouts(const KeymapGroups *keymap, FoundLayouts *found)
{
	Text layouts[XKB_MAX_GROUPS];
	// A server may keep the names of groups a new keymap no longer has,
	// and xkbcomp folds a group whose keys equal the first's ("us,kr"):
	// the symbols name knows best how many groups were asked for.
	int count = ParseSymbolsName(keymap->symbols, layouts);
	if (count == 0)
		count = keymap->count < 0 ? 0 : keymap->count;
	if (count > XKB_MAX_GROUPS)
		count = XKB_MAX_GROUPS;

	for (int g = 0; g < count; g++)
		found->layouts[g] = GroupLayout(layouts[g], keymap->names[g]);
	found->count = count;
}
