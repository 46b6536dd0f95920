#include "glib_messages.h"

#include "gio.h"
#include "loaded_symbol.h"

static void SilentLog(const gchar *, GLogLevelFlags, const gchar *, gpointer) {}

static GLogWriterOutput SilentWriter(GLogLevelFlags, const GLogField *, gsize, gpointer)
{
	return G_LOG_WRITER_HANDLED;
}

static void SilentPrint(const gchar *) {}

bool HandleGlibMessages(void *library)
{
	decltype(&g_log_set_default_handler) setDefaultHandler;
	decltype(&g_log_set_writer_func) setWriter;
	decltype(&g_set_print_handler) setPrint;
	decltype(&g_set_printerr_handler) setPrinterr;

	if (!LoadSymbol(library, "g_log_set_default_handler", &setDefaultHandler) ||
	    !LoadSymbol(library, "g_log_set_writer_func", &setWriter) ||
	    !LoadSymbol(library, "g_set_print_handler", &setPrint) ||
	    !LoadSymbol(library, "g_set_printerr_handler", &setPrinterr))
		return false;
	setDefaultHandler(SilentLog, NULL);
	setWriter(SilentWriter, NULL, NULL);
	setPrint(SilentPrint);
	setPrinterr(SilentPrint);
	return true;
}
