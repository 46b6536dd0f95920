#include "gnome_query.h"

#include <string.h>

#include "ibus_engines.h"
#include "input_sources.h"
#include "layout_identifiers.h"
#include "layout_lookup.h"
#include "query.h"
#include "settings.h"

// The layouts of the sources, a(ss), that the switcher shows, in order.
static int SourceLayouts(const Gio *gio, GVariant *sources, const WindowsLayout *layouts[])
{
	int count = 0;
	gsize total = gio->variantNChildren(sources);

	for (gsize i = 0; i < total && count < MAX_LAYOUTS; i++) {
		const char *type, *id;
		gio->variantGetChild(sources, i, "(&s&s)", &type, &id);
		InputSource source = {TextOf(type), TextOf(id)};
		if (InputSourceLayout(source, InstalledEngineLanguage, (void *)gio, &layouts[count]))
			count++;
	}
	return count;
}

// The sources of the setting, a(ss); where none is left, fallback's
// layout, or false where there is no fallback.
static bool ReadSources(const char *schemaId, const char *fallback, int capacity,
    uint32_t *hklList, int *count)
{
	const Gio *gio = LoadGio();
	GVariant *sources = gio ? ReadSetting(gio, schemaId, "sources", "a(ss)") : NULL;
	if (!sources)
		return false;

	const WindowsLayout *layouts[MAX_LAYOUTS];
	int found = SourceLayouts(gio, sources, layouts);
	gio->variantUnref(sources);
	if (found == 0 && fallback) {
		layouts[0] = FindLayoutByName(TextOf(fallback));
		found = 1;
	}
	if (found == 0)
		return false;
	*count = LayoutIdentifiers(layouts, found, capacity, hklList);
	return true;
}

bool QueryGnomeSources(int capacity, uint32_t *hklList, int *count)
{
	return ReadSources("org.gnome.desktop.input-sources", "us", capacity, hklList, count);
}

bool QueryCinnamonSources(int capacity, uint32_t *hklList, int *count)
{
	return ReadSources("org.cinnamon.desktop.input-sources", NULL, capacity, hklList, count);
}
