#include "gnome_query.h"

#include <stdlib.h>
#include <string.h>

#include "gio.h"
#include "ibus_engines.h"
#include "input_sources.h"
#include "layout_identifiers.h"
#include "layout_lookup.h"
#include "query.h"

// XDG_CURRENT_DESKTOP is a colon-separated list: "ubuntu:GNOME".
static bool InGnomeSession()
{
	static const char gnome[] = "GNOME";
	const char *desktop = getenv("XDG_CURRENT_DESKTOP");

	while (desktop && *desktop) {
		size_t length = strcspn(desktop, ":");
		if (length == sizeof gnome - 1 && memcmp(desktop, gnome, length) == 0)
			return true;
		desktop += length + (desktop[length] == ':');
	}
	return false;
}

static size_t EngineLanguageOf(void *gio, Text engine, char *language, size_t size)
{
	return IbusEngineLanguage((const Gio *)gio, IBUS_COMPONENT_DIRECTORY, engine,
	    language, size);
}

static Text TextOf(const char *string)
{
	return Text{string, strlen(string)};
}

// The identifiers of the sources, a(ss), in order; where none is left,
// GNOME's own fallback, "us".
static int SourceIdentifiers(const Gio *gio, GVariant *sources, int capacity,
    uint32_t *hklList)
{
	const WindowsLayout *layouts[MAX_LAYOUTS];
	int count = 0;
	gsize total = gio->variantNChildren(sources);

	for (gsize i = 0; i < total && count < MAX_LAYOUTS; i++) {
		const char *type, *id;
		gio->variantGetChild(sources, i, "(&s&s)", &type, &id);
		InputSource source = {TextOf(type), TextOf(id)};
		if (InputSourceLayout(source, EngineLanguageOf, (void *)gio, &layouts[count]))
			count++;
	}
	if (count == 0) {
		layouts[0] = FindLayoutByName(TextOf("us"));
		count = 1;
	}
	return LayoutIdentifiers(layouts, count, capacity, hklList);
}

// g_settings_new aborts the process on a schema or key it lacks: both
// are looked up first.
static bool ReadSources(const Gio *gio, int capacity, uint32_t *hklList, int *count)
{
	static const char schemaId[] = "org.gnome.desktop.input-sources";
	static const char key[] = "sources";
	GSettingsSchemaSource *schemas = gio->schemaSourceGetDefault();
	GSettingsSchema *schema = schemas ? gio->schemaSourceLookup(schemas, schemaId, TRUE) : NULL;
	if (!schema)
		return false;
	if (!gio->schemaHasKey(schema, key)) {
		gio->schemaUnref(schema);
		return false;
	}

	GSettings *settings = gio->settingsNewFull(schema, NULL, NULL);
	GVariant *sources = gio->settingsGetValue(settings, key);
	bool read = sources && strcmp(gio->variantGetTypeString(sources), "a(ss)") == 0;
	if (read)
		*count = SourceIdentifiers(gio, sources, capacity, hklList);
	if (sources)
		gio->variantUnref(sources);
	gio->objectUnref(settings);
	gio->schemaUnref(schema);
	return read;
}

bool QueryGnomeLayouts(int capacity, uint32_t *hklList, int *count)
{
	Gio gio;

	return InGnomeSession() && LoadGio(&gio) &&
	    ReadSources(&gio, capacity, hklList, count);
}
