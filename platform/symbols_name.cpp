#include "symbols_name.h"

#include <stdint.h>

#include "layout_ids.h"

static bool IsSeparator(char c)
{
	return c == '+' || c == '|';
}

// The group a component names with a ":1" to ":4" suffix, 0 for a
// component without one, -1 for a malformed suffix.
static int GroupSuffix(const char *component, size_t length)
{
	for (size_t i = 0; i < length; i++) {
		if (component[i] != ':')
			continue;
		if (i + 2 == length && i > 0 && component[i + 1] >= '1' &&
		    component[i + 1] <= '0' + XKB_MAX_GROUPS)
			return component[i + 1] - '0';
		return -1;
	}
	return 0;
}

static bool IsKnownLayout(const char *name, size_t length)
{
	uint16_t langid;
	return FindLayoutLangid(name, length, &langid);
}

int ParseSymbolsName(const char *symbols, size_t length,
    LayoutName layouts[XKB_MAX_GROUPS])
{
	LayoutName byGroup[XKB_MAX_GROUPS] = {};
	size_t start = 0;

	while (start < length) {
		size_t end = start;
		while (end < length && !IsSeparator(symbols[end]))
			end++;
		const char *component = symbols + start;
		size_t size = end - start;
		int group = GroupSuffix(component, size);
		start = end + 1;

		if (group > 0)
			size -= 2;
		// The rules name the first group's layout without a suffix,
		// among model and option symbols that are no layouts.
		else if (group == 0 && IsKnownLayout(component, size))
			group = 1;
		if (group <= 0 || size == 0 || byGroup[group - 1].text)
			continue;
		byGroup[group - 1] = LayoutName{component, size};
	}

	int count = 0;
	for (const LayoutName &layout : byGroup)
		if (layout.text)
			layouts[count++] = layout;
	return count;
}
