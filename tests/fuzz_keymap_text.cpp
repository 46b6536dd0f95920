// libFuzzer target: any keymap a Wayland compositor may send.
#include <stdint.h>
#include <stdlib.h>

#include "keymap_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	KeymapText keymap;
	ScanKeymapText(Text{(const char *)data, size}, &keymap);
	if (keymap.groups.count < 0 || keymap.groups.count > XKB_MAX_GROUPS)
		abort();
	for (int g = 0; g < keymap.groups.count; g++)
		if (keymap.groups.names[g].length > GROUP_NAME_MAX ||
		    keymap.groups.names[g].bytes != keymap.names[g])
			abort();
	FoundLayouts found = {0, NO_ACTIVE, {}};
	GroupLayouts(&keymap.groups, &found);
	if (found.count > XKB_MAX_GROUPS)
		abort();
	return 0;
}
