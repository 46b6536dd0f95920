#include "layout_identifiers.h"

#include "query.h"

static const uint16_t TRANSIENT_LANGIDS[] = {0x2000, 0x2400, 0x2800, 0x2C00};
enum { TRANSIENT_COUNT = sizeof TRANSIENT_LANGIDS / sizeof TRANSIENT_LANGIDS[0] };

// The first device word of keyboards the user installed.
enum { INSTALLED_DEVICE = 0xF0C0 };

// The LANGID of each layout's input language, transient ones given out
// per language; 0 for a layout left out.
static void InputLanguages(const WindowsLayout *const layouts[], int count,
    uint16_t langids[])
{
	const WindowsLayout *given[TRANSIENT_COUNT];
	int transients = 0;

	for (int i = 0; i < count; i++) {
		const WindowsLayout *layout = layouts[i];
		langids[i] = layout ? layout->langid : 0;
		for (int t = 0; langids[i] == 0 && t < transients; t++)
			if (layout && layout->language != 0 && given[t] &&
			    given[t]->language == layout->language)
				langids[i] = TRANSIENT_LANGIDS[t];
		if (langids[i] == 0 && transients < TRANSIENT_COUNT) {
			given[transients] = layout;
			langids[i] = TRANSIENT_LANGIDS[transients++];
		}
	}
}

static bool Taken(const uint32_t hkls[], int count, uint32_t hkl)
{
	for (int i = 0; i < count; i++)
		if (hkls[i] == hkl)
			return true;
	return false;
}

// Gives layout i the HKL of device word and its LANGID unless another
// layout has it.
static void Claim(uint32_t hkls[], int count, int i, uint16_t langid, uint16_t device)
{
	uint32_t hkl = (uint32_t)device << 16 | langid;

	if (hkls[i] == 0 && device != 0 && !Taken(hkls, count, hkl))
		hkls[i] = hkl;
}

int LayoutIdentifiers(const FoundLayouts *found, int capacity, uint32_t *hklList,
    int *active)
{
	const WindowsLayout *const *layouts = found->layouts;
	int count = found->count < 0 ? 0 : found->count > MAX_LAYOUTS ? MAX_LAYOUTS : found->count;
	uint16_t langids[MAX_LAYOUTS];
	uint32_t hkls[MAX_LAYOUTS] = {};

	InputLanguages(layouts, count, langids);
	for (int i = 0; i < count; i++)
		if (langids[i] != 0 && layouts[i])
			Claim(hkls, count, i, langids[i], layouts[i]->device);
	for (int i = 0; i < count; i++)
		if (langids[i] != 0)
			Claim(hkls, count, i, langids[i],
			    layouts[i] && layouts[i]->defaultDevice != 0
			    ? layouts[i]->defaultDevice : langids[i]);
	uint16_t installed = INSTALLED_DEVICE;
	for (int i = 0; i < count; i++)
		if (langids[i] != 0 && hkls[i] == 0)
			Claim(hkls, count, i, langids[i], installed++);

	int placed = 0;
	if (active)
		*active = 0;
	for (int i = 0; i < count && placed < capacity; i++) {
		if (hkls[i] == 0)
			continue;
		if (active && i == found->active)
			*active = placed;
		hklList[placed++] = hkls[i];
	}
	return placed;
}
