#include "layout_identifiers.h"

static const uint16_t TRANSIENT_LANGIDS[] = {0x2000, 0x2400, 0x2800, 0x2C00};
enum { TRANSIENT_COUNT = sizeof TRANSIENT_LANGIDS / sizeof TRANSIENT_LANGIDS[0] };

// The transient LANGID already given to the language of a layout that
// Windows lacks, or 0.
static uint16_t GivenTransient(const LayoutLanguage *language,
    const LayoutLanguage *const given[], const uint16_t langids[], int count)
{
	if (!language || language->language == 0)
		return 0;
	for (int t = 0; t < count; t++)
		if (given[t] && given[t]->language == language->language)
			return langids[t];
	return 0;
}

int LayoutIdentifiers(const LayoutLanguage *const languages[], int count,
    int capacity, uint32_t *hklList)
{
	const LayoutLanguage *given[TRANSIENT_COUNT];
	int transients = 0, placed = 0;

	for (int i = 0; i < count && placed < capacity; i++) {
		uint16_t langid = languages[i] ? languages[i]->langid : 0;
		if (langid == 0)
			langid = GivenTransient(languages[i], given, TRANSIENT_LANGIDS, transients);
		if (langid == 0 && transients < TRANSIENT_COUNT) {
			given[transients] = languages[i];
			langid = TRANSIENT_LANGIDS[transients++];
		}
		if (langid != 0)
			hklList[placed++] = (uint32_t)langid << 16 | langid;
	}
	return placed;
}
