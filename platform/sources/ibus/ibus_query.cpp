#include "ibus_query.h"

#include <string.h>

#include "engine_layout.h"
#include "ibus_address.h"
#include "ibus_engines.h"
#include "session_bus.h"
#include "settings.h"

enum { ADDRESS_MAX = 1024, ENGINE_NAME_MAX = 256 };

// IBus's address file names the program that serves it, ibus-daemon or
// fcitx5 in its place; where it names none that runs, the bus is asked.
static bool IbusRuns(Query *query)
{
	const BusConnection *bus;

	switch (IbusAddressServer(query)) {
	case IBUS_SERVER_IBUS_DAEMON:
		return true;
	case IBUS_SERVER_FCITX5:
		return false;
	default:
		return (bus = SessionBus(query)) && NameHasOwner(bus, "org.freedesktop.IBus");
	}
}

// The name of the engine in use, asked of ibus-daemon on its own bus, into
// name: its GlobalEngine property, a variant of a variant of the engine's
// description, whose third field is the name. Empty where it does not say.
static Text GlobalEngine(const Query *query, char *name, size_t size)
{
	static const BusObject IBUS = {"org.freedesktop.IBus", "/org/freedesktop/IBus",
	    "org.freedesktop.DBus.Properties"};
	static const char *const arguments[] = {"org.freedesktop.IBus", "GlobalEngine"};
	char address[ADDRESS_MAX];
	BusConnection ibus;
	Text engine = {NULL, 0};

	if (!IbusDaemonAddress(address, sizeof address) || !ConnectBus(query, address, &ibus))
		return engine;
	sd_bus_message *reply = CallMethod(&ibus, IBUS, "Get", arguments, 2, "v", NULL);
	if (reply && EnterAny(&ibus, reply, 'v') && EnterAny(&ibus, reply, 'v') &&
	    EnterAny(&ibus, reply, 'r') && ibus.sd->skip(reply, "sa{sv}") >= 0)
		engine = ReadString(&ibus, reply);
	if (engine.length >= size)
		engine.length = 0;
	if (engine.length > 0)
		memcpy(name, engine.bytes, engine.length);
	if (reply)
		ibus.sd->messageUnref(reply);
	ibus.sd->closeUnref(ibus.bus);
	return Text{name, engine.length};
}

bool QueryIbusLayouts(Query *query, FoundLayouts *found)
{
	const Gio *gio = IbusRuns(query) ? LoadGio() : NULL;
	GVariant *engines = gio
	    ? ReadSetting(gio, "org.freedesktop.ibus.general", "preload-engines", "as") : NULL;
	if (!engines)
		return false;

	char name[ENGINE_NAME_MAX];
	Text current = query->asksActive ? GlobalEngine(query, name, sizeof name) : Text{NULL, 0};
	gsize total = gio->variantNChildren(engines);
	for (gsize i = 0; i < total && found->count < MAX_LAYOUTS; i++) {
		const char *engine;
		gio->variantGetChild(engines, i, "&s", &engine);
		if (!IbusEngineLayout(TextOf(engine), InstalledEngineLanguage,
		    (void *)gio, &found->layouts[found->count]))
			continue;
		if (current.length > 0 && TextIs(current, engine))
			found->active = found->count;
		found->count++;
	}
	gio->variantUnref(engines);
	return found->count > 0;
}
