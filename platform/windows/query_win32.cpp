#include "query.h"

#include <windows.h>

int QueryLayouts(int capacity, uint32_t *hklList)
{
	HKL layouts[MAX_LAYOUTS];

	if (capacity > MAX_LAYOUTS)
		capacity = MAX_LAYOUTS;
	int nCount = GetKeyboardLayoutList(capacity, layouts);
	if (nCount < 0 || nCount > capacity)
		return nCount;
	// On 64-bit Windows an HKL is pointer-sized; its low 32 bits are the
	// identifier.
	for (int i = 0; i < nCount; i++)
		hklList[i] = (uint32_t)(uintptr_t)layouts[i];
	return nCount;
}
