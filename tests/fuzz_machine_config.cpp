// libFuzzer target: any file where a machine keeps its keyboard
// configuration, read as each of its kinds.
#include <stdint.h>
#include <stdlib.h>

#include "config_words.h"
#include "layout_identifiers.h"
#include "query.h"

static void Name(const ConfigValue *layouts, const ConfigValue *variants)
{
	FoundLayouts found = {0, NO_ACTIVE, {}};
	uint32_t hklList[MAX_LAYOUTS];

	if (layouts->length > CONFIG_VALUE_MAX || variants->length > CONFIG_VALUE_MAX)
		abort();
	found.count = ListedLayouts(TextOf(layouts), TextOf(variants), found.layouts);
	if (found.count < 0 || found.count > MAX_LAYOUTS)
		abort();
	LayoutIdentifiers(&found, MAX_LAYOUTS, hklList, NULL);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	Text file = {(const char *)data, size};
	ConfigValue layouts, variants;

	ShellValue(file, "XKBLAYOUT", &layouts);
	ShellValue(file, "XKBVARIANT", &variants);
	Name(&layouts, &variants);
	XorgOption(file, "XkbLayout", &layouts);
	XorgOption(file, "XkbVariant", &variants);
	Name(&layouts, &variants);
	if (KbdModelMapRow(file, Text{"de", 2}, &layouts, &variants))
		Name(&layouts, &variants);
	return 0;
}
