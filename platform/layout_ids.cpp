#include "layout_ids.h"

#include <string.h>

#include "layout_langids.h"

static const uint16_t TRANSIENT_LANGIDS[XKB_MAX_GROUPS] = {
	0x2000, 0x2400, 0x2800, 0x2C00,
};

// Orders like strcmp, for a name that is not NUL-terminated.
static int CompareName(const char *name, size_t length, const char *entry)
{
	size_t entryLength = strlen(entry);
	int order = memcmp(name, entry, length < entryLength ? length : entryLength);

	if (order != 0)
		return order;
	return length < entryLength ? -1 : length > entryLength;
}

static bool FindExactly(const char *name, size_t length, uint16_t *langid)
{
	size_t low = 0, high = LAYOUT_LANGID_COUNT;

	while (low < high) {
		size_t middle = low + (high - low) / 2;
		int order = CompareName(name, length, LAYOUT_LANGIDS[middle].name);
		if (order == 0) {
			*langid = LAYOUT_LANGIDS[middle].langid;
			return true;
		}
		if (order < 0)
			high = middle;
		else
			low = middle + 1;
	}
	return false;
}

bool FindLayoutLangid(const char *name, size_t length, uint16_t *langid)
{
	const char *variant = (const char *)memchr(name, '(', length);

	if (FindExactly(name, length, langid))
		return true;
	return variant && FindExactly(name, (size_t)(variant - name), langid);
}

static bool SameName(const LayoutName &a, const LayoutName &b)
{
	return a.length == b.length && memcmp(a.text, b.text, a.length) == 0;
}

void LayoutIdentifiers(const LayoutName *layouts, int count, uint32_t *hklList)
{
	int transients = 0;

	for (int i = 0; i < count; i++) {
		int earlier = 0;
		while (earlier < i && !SameName(layouts[earlier], layouts[i]))
			earlier++;
		if (earlier < i) {
			hklList[i] = hklList[earlier];
			continue;
		}
		uint16_t langid = 0;
		FindLayoutLangid(layouts[i].text, layouts[i].length, &langid);
		if (langid == 0 && transients < XKB_MAX_GROUPS)
			langid = TRANSIENT_LANGIDS[transients++];
		hklList[i] = (uint32_t)langid << 16 | langid;
	}
}
