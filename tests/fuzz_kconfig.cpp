// libFuzzer target: a KDE configuration file, read for kxkbrc's layouts.
#include <stdint.h>
#include <stdlib.h>

#include "kconfig.h"
#include "layout_lookup.h"
#include "query.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	static const char *const keys[] = {"Use", "LayoutList", "VariantList"};
	KConfigValue values[3] = {};
	Text file = {(const char *)data, size};
	Text names[MAX_LAYOUTS], variants[MAX_LAYOUTS];

	// Read twice over, as a system file and then the user's.
	if (ApplyKConfigFile(file, "Layout", keys, values, 3))
		ApplyKConfigFile(file, "Layout", keys, values, 3);
	for (const KConfigValue &value : values)
		if (value.value.length > CONFIG_VALUE_MAX || (!value.found && value.value.length))
			abort();
	KConfigTrue(&values[0], false);
	int listed = SplitKConfigList(&values[1].value, names, MAX_LAYOUTS);
	int varied = SplitKConfigList(&values[2].value, variants, MAX_LAYOUTS);
	if (listed < 0 || listed > MAX_LAYOUTS || varied < 0 || varied > MAX_LAYOUTS)
		abort();
	for (int i = 0; i < listed; i++)
		FindLayoutAndVariant(names[i], i < varied ? variants[i] : Text{NULL, 0});
	return 0;
}
