#include "settings.h"

#include <stdio.h>
#include <string.h>

// The settings backend's value (dconf's, which heeds the system's locks)
// where it has one of the key's type, else the schema's default. Asked of
// the backend itself, since a GSettings object also connects to the
// session bus to watch for changes, which takes longer than the rest of
// the query.
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

GVariant *ReadSetting(const Gio *gio, const char *schemaId, const char *key,
    const char *type)
{
	GSettingsSchemaSource *schemas = gio->schemaSourceGetDefault();
	GSettingsSchema *schema = schemas ? gio->schemaSourceLookup(schemas, schemaId, TRUE) : NULL;
	if (!schema)
		return NULL;

	GVariant *value = gio->schemaHasKey(schema, key) ? ReadKey(gio, schema, key) : NULL;
	if (value && strcmp(gio->variantGetTypeString(value), type) != 0) {
		gio->variantUnref(value);
		value = NULL;
	}
	gio->schemaUnref(schema);
	return value;
}
