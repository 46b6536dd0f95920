#ifndef KBLAYOUTS_GIO_H
#define KBLAYOUTS_GIO_H

#include <gio/gio.h>
// For the settings backend's class, whose read the program calls.
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>

// The functions of GLib and GIO the program uses, from libgio loaded at
// run time, so that no other session loads GLib or pays for it.
struct Gio {
	decltype(&g_settings_schema_source_get_default) schemaSourceGetDefault;
	decltype(&g_settings_schema_source_lookup) schemaSourceLookup;
	decltype(&g_settings_schema_has_key) schemaHasKey;
	decltype(&g_settings_schema_unref) schemaUnref;
	decltype(&g_settings_schema_get_path) schemaGetPath;
	decltype(&g_settings_schema_get_key) schemaGetKey;
	decltype(&g_settings_schema_key_get_value_type) schemaKeyGetValueType;
	decltype(&g_settings_schema_key_get_default_value) schemaKeyGetDefaultValue;
	decltype(&g_settings_schema_key_unref) schemaKeyUnref;
	decltype(&g_settings_backend_get_default) backendGetDefault;
	decltype(&g_object_unref) objectUnref;
	decltype(&g_variant_take_ref) variantTakeRef;
	decltype(&g_variant_is_of_type) variantIsOfType;
	decltype(&g_variant_get_type_string) variantGetTypeString;
	decltype(&g_variant_n_children) variantNChildren;
	decltype(&g_variant_get_child) variantGetChild;
	decltype(&g_variant_unref) variantUnref;
	decltype(&g_file_get_contents) fileGetContents;
	decltype(&g_free) free;
	decltype(&g_markup_parse_context_new) markupParseContextNew;
	decltype(&g_markup_parse_context_parse) markupParseContextParse;
	decltype(&g_markup_parse_context_free) markupParseContextFree;
};

// Loads libgio and the functions above once, and hands GLib's messages
// to HandleGlibMessages; NULL where any is missing.
const Gio *LoadGio();

#endif
