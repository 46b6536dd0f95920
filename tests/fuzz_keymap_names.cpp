// libFuzzer target: any symbols name and group names a display server may
// send. The input is the group count's byte, then five texts separated by
// NUL bytes: the symbols name and the names of groups 1 to 4.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "keymap_groups.h"
#include "layout_identifiers.h"

static Text NextText(const uint8_t **data, size_t *size)
{
	const uint8_t *end = (const uint8_t *)memchr(*data, '\0', *size);
	size_t length = end ? (size_t)(end - *data) : *size;
	Text text = {(const char *)*data, length};
	*data += length < *size ? length + 1 : length;
	*size -= length < *size ? length + 1 : length;
	return text;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	if (size == 0)
		return 0;
	KeymapGroups keymap;
	keymap.count = (int8_t)data[0];
	data++, size--;
	keymap.symbols = NextText(&data, &size);
	for (Text &name : keymap.names)
		name = NextText(&data, &size);

	FoundLayouts found = {0, NO_ACTIVE, {}};
	GroupLayouts(&keymap, &found);
	uint32_t hklList[XKB_MAX_GROUPS];
	int count = LayoutIdentifiers(&found, XKB_MAX_GROUPS, hklList, NULL);
	if (count < 0 || count > XKB_MAX_GROUPS)
		abort();
	// Both words are set, and no identifier comes twice.
	for (int i = 0; i < count; i++) {
		if (hklList[i] >> 16 == 0 || (hklList[i] & 0xFFFF) == 0)
			abort();
		for (int j = 0; j < i; j++)
			if (hklList[j] == hklList[i])
				abort();
	}
	return 0;
}
