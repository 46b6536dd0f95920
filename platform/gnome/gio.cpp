#include "gio.h"

#include <dlfcn.h>

template <typename Function>
static bool Load(void *library, const char *name, Function *function)
{
	*function = (Function)dlsym(library, name);
	return *function != NULL;
}

static void SilentLog(const gchar *, GLogLevelFlags, const gchar *, gpointer) {}

static GLogWriterOutput SilentWriter(GLogLevelFlags, const GLogField *, gsize, gpointer)
{
	return G_LOG_WRITER_HANDLED;
}

static void SilentPrint(const gchar *) {}

// GLib allows its writer to be set once in a process.
static bool Silence(void *library)
{
	static bool silenced;
	decltype(&g_log_set_default_handler) setDefaultHandler;
	decltype(&g_log_set_writer_func) setWriter;
	decltype(&g_set_print_handler) setPrint;
	decltype(&g_set_printerr_handler) setPrinterr;

	if (!Load(library, "g_log_set_default_handler", &setDefaultHandler) ||
	    !Load(library, "g_log_set_writer_func", &setWriter) ||
	    !Load(library, "g_set_print_handler", &setPrint) ||
	    !Load(library, "g_set_printerr_handler", &setPrinterr))
		return false;
	if (silenced)
		return true;
	silenced = true;
	setDefaultHandler(SilentLog, NULL);
	setWriter(SilentWriter, NULL, NULL);
	setPrint(SilentPrint);
	setPrinterr(SilentPrint);
	return true;
}

// GLib cannot be unloaded: the library stays once loaded.
bool LoadGio(Gio *gio)
{
	void *library = dlopen("libgio-2.0.so.0", RTLD_LAZY | RTLD_LOCAL);

	return library && Silence(library) &&
	    Load(library, "g_settings_schema_source_get_default", &gio->schemaSourceGetDefault) &&
	    Load(library, "g_settings_schema_source_lookup", &gio->schemaSourceLookup) &&
	    Load(library, "g_settings_schema_has_key", &gio->schemaHasKey) &&
	    Load(library, "g_settings_schema_unref", &gio->schemaUnref) &&
	    Load(library, "g_settings_schema_get_path", &gio->schemaGetPath) &&
	    Load(library, "g_settings_schema_get_key", &gio->schemaGetKey) &&
	    Load(library, "g_settings_schema_key_get_value_type", &gio->schemaKeyGetValueType) &&
	    Load(library, "g_settings_schema_key_get_default_value", &gio->schemaKeyGetDefaultValue) &&
	    Load(library, "g_settings_schema_key_unref", &gio->schemaKeyUnref) &&
	    Load(library, "g_settings_backend_get_default", &gio->backendGetDefault) &&
	    Load(library, "g_object_unref", &gio->objectUnref) &&
	    Load(library, "g_variant_take_ref", &gio->variantTakeRef) &&
	    Load(library, "g_variant_is_of_type", &gio->variantIsOfType) &&
	    Load(library, "g_variant_get_type_string", &gio->variantGetTypeString) &&
	    Load(library, "g_variant_n_children", &gio->variantNChildren) &&
	    Load(library, "g_variant_get_child", &gio->variantGetChild) &&
	    Load(library, "g_variant_unref", &gio->variantUnref) &&
	    Load(library, "g_file_get_contents", &gio->fileGetContents) &&
	    Load(library, "g_free", &gio->free) &&
	    Load(library, "g_markup_parse_context_new", &gio->markupParseContextNew) &&
	    Load(library, "g_markup_parse_context_parse", &gio->markupParseContextParse) &&
	    Load(library, "g_markup_parse_context_free", &gio->markupParseContextFree);
}
