#include "gio.h"

#include <dlfcn.h>

#include "glib_messages.h"
#include "loaded_symbol.h"

// GLib cannot be unloaded: the library stays once loaded.
static bool Load(Gio *gio)
{
	void *library = dlopen("libgio-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);

	return library && HandleGlibMessages(library) &&
	    LoadSymbol(library, "g_settings_schema_source_get_default", &gio->schemaSourceGetDefault) &&
	    LoadSymbol(library, "g_settings_schema_source_lookup", &gio->schemaSourceLookup) &&
	    LoadSymbol(library, "g_settings_schema_has_key", &gio->schemaHasKey) &&
	    LoadSymbol(library, "g_settings_schema_unref", &gio->schemaUnref) &&
	    LoadSymbol(library, "g_settings_schema_get_path", &gio->schemaGetPath) &&
	    LoadSymbol(library, "g_settings_schema_get_key", &gio->schemaGetKey) &&
	    LoadSymbol(library, "g_settings_schema_key_get_value_type", &gio->schemaKeyGetValueType) &&
	    LoadSymbol(library, "g_settings_schema_key_get_default_value", &gio->schemaKeyGetDefaultValue) &&
	    LoadSymbol(library, "g_settings_schema_key_unref", &gio->schemaKeyUnref) &&
	    LoadSymbol(library, "g_settings_backend_get_default", &gio->backendGetDefault) &&
	    LoadSymbol(library, "g_object_unref", &gio->objectUnref) &&
	    LoadSymbol(library, "g_variant_take_ref", &gio->variantTakeRef) &&
	    LoadSymbol(library, "g_variant_is_of_type", &gio->variantIsOfType) &&
	    LoadSymbol(library, "g_variant_get_type_string", &gio->variantGetTypeString) &&
	    LoadSymbol(library, "g_variant_n_children", &gio->variantNChildren) &&
	    LoadSymbol(library, "g_variant_get_child", &gio->variantGetChild) &&
	    LoadSymbol(library, "g_variant_unref", &gio->variantUnref) &&
	    LoadSymbol(library, "g_file_get_contents", &gio->fileGetContents) &&
	    LoadSymbol(library, "g_free", &gio->free) &&
	    LoadSymbol(library, "g_markup_parse_context_new", &gio->markupParseContextNew) &&
	    LoadSymbol(library, "g_markup_parse_context_parse", &gio->markupParseContextParse) &&
	    LoadSymbol(library, "g_markup_parse_context_free", &gio->markupParseContextFree);
}

const Gio *LoadGio()
{
	static Gio gio;
	static enum { UNTRIED, LOADED, MISSING } state = UNTRIED;

	if (state == UNTRIED)
		state = Load(&gio) ? LOADED : MISSING;
	return state == LOADED ? &gio : NULL;
}
