#include "ibus_query.h"

#include "engine_layout.h"
#include "ibus_address.h"
#include "ibus_engines.h"
#include "layout_identifiers.h"
#include "query.h"
#include "session_bus.h"
#include "settings.h"

// IBus's address file names the program that serves it, ibus-daemon or
// fcitx5 in its place; where it names none that runs, the bus is asked.
static bool IbusRuns()
{
	const BusConnection *bus;

	switch (IbusAddressServer()) {
	case IBUS_SERVER_IBUS_DAEMON:
		return true;
	case IBUS_SERVER_FCITX5:
		return false;
	default:
		return (bus = SessionBus()) && NameHasOwner(bus, "org.freedesktop.IBus");
	}
}

bool QueryIbusLayouts(int capacity, uint32_t *hklList, int *count)
{
	const Gio *gio = IbusRuns() ? LoadGio() : NULL;
	GVariant *engines = gio
	    ? ReadSetting(gio, "org.freedesktop.ibus.general", "preload-engines", "as") : NULL;
	if (!engines)
		return false;

	const WindowsLayout *layouts[MAX_LAYOUTS];
	int found = 0;
	gsize total = gio->variantNChildren(engines);
	for (gsize i = 0; i < total && found < MAX_LAYOUTS; i++) {
		const char *engine;
		gio->variantGetChild(engines, i, "&s", &engine);
		if (IbusEngineLayout(TextOf(engine), InstalledEngineLanguage,
		    (void *)gio, &layouts[found]))
			found++;
	}
	gio->variantUnref(engines);
	if (found == 0)
		return false;
	*count = LayoutIdentifiers(layouts, found, capacity, hklList);
	return true;
}
