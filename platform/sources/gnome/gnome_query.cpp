#include "gnome_query.h"

#include "ibus_engines.h"
#include "input_sources.h"
#include "layout_lookup.h"
#include "settings.h"

static InputSource SourceAt(const Gio *gio, GVariant *sources, gsize i)
{
	const char *type, *id;

	gio->variantGetChild(sources, i, "(&s&s)", &type, &id);
	return InputSource{TextOf(type), TextOf(id)};
}

// The position in sources, a(ss), of the first of recent, a(ss) too, that
// it holds: the source in use, which GNOME moves to the front of its
// recently used ones as the user switches. NO_ACTIVE where none.
static int RecentSource(const Gio *gio, GVariant *sources, GVariant *recent)
{
	gsize total = gio->variantNChildren(sources);
	gsize used = recent ? gio->variantNChildren(recent) : 0;

	for (gsize r = 0; r < used && r < MAX_LAYOUTS; r++) {
		InputSource wanted = SourceAt(gio, recent, r);
		for (gsize i = 0; i < total && i < MAX_LAYOUTS; i++) {
			InputSource source = SourceAt(gio, sources, i);
			if (SameText(source.type, wanted.type) && SameText(source.id, wanted.id))
				return (int)i;
		}
	}
	return NO_ACTIVE;
}

// The layouts of the sources that the switcher shows, in order, and the
// position among them of the source at inUse.
static void SourceLayouts(const Gio *gio, GVariant *sources, int inUse, FoundLayouts *found)
{
	gsize total = gio->variantNChildren(sources);

	for (gsize i = 0; i < total && found->count < MAX_LAYOUTS; i++) {
		if (!InputSourceLayout(SourceAt(gio, sources, i), InstalledEngineLanguage,
		    (void *)gio, &found->layouts[found->count]))
			continue;
		if ((int)i == inUse)
			found->active = found->count;
		found->count++;
	}
}

// The sources of the setting, a(ss); where none is left, fallback's
// layout, or false where there is no fallback.
static bool ReadSources(const char *schemaId, const char *fallback, bool asksActive,
    FoundLayouts *found)
{
	const Gio *gio = LoadGio();
	GVariant *sources = gio ? ReadSetting(gio, schemaId, "sources", "a(ss)") : NULL;
	if (!sources)
		return false;

	GVariant *recent = asksActive ? ReadSetting(gio, schemaId, "mru-sources", "a(ss)") : NULL;
	SourceLayouts(gio, sources, RecentSource(gio, sources, recent), found);
	gio->variantUnref(sources);
	if (recent)
		gio->variantUnref(recent);
	if (found->count == 0 && fallback) {
		found->layouts[0] = FindLayoutByName(TextOf(fallback));
		found->count = 1;
	}
	return found->count > 0;
}

bool QueryGnomeSources(Query *query, FoundLayouts *found)
{
	return ReadSources("org.gnome.desktop.input-sources", "us", query->asksActive, found);
}

bool QueryCinnamonSources(Query *query, FoundLayouts *found)
{
	return ReadSources("org.cinnamon.desktop.input-sources", NULL, query->asksActive, found);
}
