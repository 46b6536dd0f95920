#include "keymap_groups.h"

#include <string.h>

#include "layout_lookup.h"

static const uint16_t TRANSIENT_LANGIDS[XKB_MAX_GROUPS] = {
	0x2000, 0x2400, 0x2800, 0x2C00,
};

static const LayoutLanguage *GroupLanguage(Text layout, Text name)
{
	const LayoutLanguage *found = NULL;

	if (layout.length > 0)
		found = FindLayoutByName(layout);
	if (!found && name.length > 0)
		found = FindLayoutByDescription(name);
	return found;
}

// An earlier group with a transient identifier for the same language as
// group g, or -1.
static int EarlierOfSameLanguage(const LayoutLanguage *const languages[], int g)
{
	const LayoutLanguage *language = languages[g];

	for (int h = 0; h < g; h++)
		if (language && language->language != 0 && languages[h] &&
		    languages[h]->langid == 0 &&
		    languages[h]->language == language->language)
			return h;
	return -1;
}

int GroupIdentifiers(const KeymapGroups *keymap, int capacity, uint32_t *hklList)
{
	uint32_t identifiers[XKB_MAX_GROUPS];
	int count = keymap->count < 0 ? 0 : keymap->count;
	if (count > XKB_MAX_GROUPS)
		count = XKB_MAX_GROUPS;
	Text layouts[XKB_MAX_GROUPS];
	ParseSymbolsName(keymap->symbols, layouts);

	const LayoutLanguage *languages[XKB_MAX_GROUPS];
	int transients = 0;
	for (int g = 0; g < count; g++) {
		languages[g] = GroupLanguage(layouts[g], keymap->names[g]);
		uint16_t langid = languages[g] ? languages[g]->langid : 0;
		if (langid == 0) {
			int same = EarlierOfSameLanguage(languages, g);
			langid = same >= 0 ? (uint16_t)identifiers[same]
			    : TRANSIENT_LANGIDS[transients++];
		}
		identifiers[g] = (uint32_t)langid << 16 | langid;
	}
	if (count > capacity)
		count = capacity < 0 ? 0 : capacity;
	memcpy(hklList, identifiers, (size_t)count * sizeof *hklList);
	return count;
}
