// libFuzzer target: any symbols name the X server may send.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include "../platform/layout_ids.h"
#include "../platform/symbols_name.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	const char *symbols = (const char *)data;
	LayoutName layouts[XKB_MAX_GROUPS];
	int count = ParseSymbolsName(symbols, size, layouts);

	if (count < 0 || count > XKB_MAX_GROUPS)
		abort();
	for (int i = 0; i < count; i++)
		if (layouts[i].text < symbols || layouts[i].length == 0 ||
		    layouts[i].text + layouts[i].length > symbols + size)
			abort();

	uint32_t hklList[XKB_MAX_GROUPS];
	LayoutIdentifiers(layouts, count, hklList);
	for (int i = 0; i < count; i++)
		if (hklList[i] >> 16 != (hklList[i] & 0xFFFF) || hklList[i] == 0)
			abort();
	return 0;
}
