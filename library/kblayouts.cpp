#include "kblayouts.h"

#include <string.h>

#include "keyboard_layout_id.h"
#include "query.h"
#include "session_query.h"

#define EXPORTED __attribute__((visibility("default")))

extern "C" EXPORTED int kblayouts_list(uint32_t *hkls, int capacity)
{
	uint32_t hklList[MAX_LAYOUTS];

	if (capacity < 0 || (capacity > 0 && !hkls))
		return 0;
	int count = QueryLayouts(MAX_LAYOUTS, hklList);
	if (count < 0 || count > MAX_LAYOUTS)
		return 0;
	if (capacity == 0)
		return count;
	if (count > capacity)
		count = capacity;
	memcpy(hkls, hklList, (size_t)count * sizeof hklList[0]);
	return count;
}

extern "C" EXPORTED uint32_t kblayouts_active(void)
{
	uint32_t hklList[MAX_LAYOUTS];
	int active;

	int count = QuerySessionLayouts(MAX_LAYOUTS, hklList, &active);
	return count > 0 && count <= MAX_LAYOUTS && active >= 0 && active < count
	    ? hklList[active] : 0;
}

extern "C" EXPORTED uint32_t kblayouts_klid(uint32_t hkl)
{
	return KeyboardLayoutId(hkl);
}
