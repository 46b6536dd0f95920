#include "keyboard_layout_id.h"

#include "layout_tables.h"

uint32_t KeyboardLayoutId(uint32_t hkl)
{
	uint16_t device = (uint16_t)(hkl >> 16);
	size_t low = 0, high = WINDOWS_KEYBOARD_COUNT;

	if ((hkl & 0xFFFF) == 0)
		return 0;
	while (low < high) {
		size_t middle = low + (high - low) / 2;
		if (WINDOWS_KEYBOARDS[middle].device == device)
			return WINDOWS_KEYBOARDS[middle].klid;
		if (WINDOWS_KEYBOARDS[middle].device < device)
			low = middle + 1;
		else
			high = middle;
	}
	return 0;
}
