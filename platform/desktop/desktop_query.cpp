#include "gnome_query.h"

#include <stdio.h>
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

// A key's value as a GSettings object reads it: the settings backend's
// (dconf's, which heeds the system's locks) where it has one of the key's
// type, else the schema's default. Asked of the backend itself, since a
// GSettings object also connects to the session bus to watch for changes,
// which takes longer than the rest of the query.
static GVariant *ReadKey(const Gio *gio, GSettingsSchema *schema, const char *name)
{
	const char *path = gio->schemaGetPath(schema);
	char key[256];
	if (!path || snprintf(key, sizeof key, "%s%s", path, name) >= (int)sizeof key)
		return NULL;

	GSettingsSchemaKey *schemaKey = gio->schemaGetKey(schema, name);
	const GVariantType *type = gio->schemaKeyGetValueType(schemaKey);
	GSettingsBackend *backend = gio->backendGetDefault();
	GSettingsBackendClass *backendClass =
	    (GSettingsBackendClass *)((GTypeInstance *)backend)->g_class;
	GVariant *value = backendClass->read(backend, key, type, FALSE);
	if (value)
		value = gio->variantTakeRef(value);
	if (value && !gio->variantIsOfType(value, type)) {
		gio->variantUnref(value);
		value = NULL;
	}
	if (!value)
		value = gio->schemaKeyGetDefaultValue(schemaKey);
	gio->objectUnref(backend);
	gio->schemaKeyUnref(schemaKey);
	return value;
}

static bool ReadSources(const Gio *gio, int capacity, uint32_t *hklList, int *count)
{
	static const char schemaId[] = "org.gnome.desktop.input-sources";
	static const char key[] = "sources";
	GSettingsSchemaSource *schemas = gio->schemaSourceGetDefault();
	GSettingsSchema *schema = schemas ? gio->schemaSourceLookup(schemas, schemaId, TRUE) : NULL;
	if (!schema)
		return false;

	GVariant *sources = gio->schemaHasKey(schema, key) ? ReadKey(gio, schema, key) : NULL;
	bool read = sources && strcmp(gio->variantGetTypeString(sources), "a(ss)") == 0;
	if (read)
		*count = SourceIdentifiers(gio, sources, capacity, hklList);
	if (sources)
		gio->variantUnref(sources);
	gio->schemaUnref(schema);
	return read;
}

bool QueryGnomeLayouts(int capacity, uint32_t *hklList, int *count)
{
	Gio gio;

	return InGnomeSession() && LoadGio(&gio) &&
	    ReadSources(&gio, capacity, hklList, count);
}
