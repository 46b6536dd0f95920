#include "deepin_query.h"

#include "layout_lookup.h"
#include "session_bus.h"

static const BusObject KEYBOARDS[] = {
	{"org.deepin.dde.InputDevices1", "/org/deepin/dde/InputDevice1/Keyboard",
	    "org.deepin.dde.InputDevice1.Keyboard"},
	{"com.deepin.daemon.InputDevices", "/com/deepin/daemon/InputDevice/Keyboard",
	    "com.deepin.daemon.InputDevice.Keyboard"},
};

// A property of the keyboard of type type, entered; the reply is the
// caller's to unref. NULL where it does not answer with that type.
static sd_bus_message *Property(const BusConnection *bus, BusObject keyboard,
    const char *name, const char *type)
{
	const char *const arguments[] = {keyboard.interface, name};
	BusObject properties = {keyboard.name, keyboard.path, "org.freedesktop.DBus.Properties"};
	sd_bus_message *reply = CallMethod(bus, properties, "Get", arguments, 2, "v", NULL);

	if (reply && bus->sd->enterContainer(reply, 'v', type) <= 0)
		reply = bus->sd->messageUnref(reply);
	return reply;
}

// The layouts of the keyboard's list, in order, and the position of
// current's, "layout;variant" as the entries are; false where it does not
// answer with an array of strings.
static bool UserLayouts(const BusConnection *bus, BusObject keyboard, Text current,
    FoundLayouts *found)
{
	sd_bus_message *reply = Property(bus, keyboard, "UserLayoutList", "as");
	if (!reply)
		return false;
	Text entry, variant, currentVariant;
	Text currentLayout = SplitAt(current, ';', &currentVariant);
	bool listed = bus->sd->enterContainer(reply, 'a', "s") > 0;
	while (listed && found->count < MAX_LAYOUTS && (entry = ReadString(bus, reply)).bytes) {
		Text layout = SplitAt(entry, ';', &variant);
		if (layout.length == 0)
			continue;
		if (found->active == NO_ACTIVE && SameText(layout, currentLayout) &&
		    SameText(variant, currentVariant))
			found->active = found->count;
		found->layouts[found->count++] = FindLayoutAndVariant(layout, variant);
	}
	bus->sd->messageUnref(reply);
	return listed;
}

// The layout in use, CurrentLayout, is one of the list by what it names.
bool QueryDeepinLayouts(Query *query, FoundLayouts *found)
{
	const BusConnection *bus = SessionBus(query);

	if (!bus)
		return false;
	for (const BusObject &keyboard : KEYBOARDS) {
		sd_bus_message *current = query->asksActive ? Property(bus, keyboard, "CurrentLayout", "s")
		    : NULL;
		bool listed = UserLayouts(bus, keyboard,
		    current ? ReadString(bus, current) : Text{NULL, 0}, found);
		if (current)
			bus->sd->messageUnref(current);
		if (listed)
			break;
	}
	return found->count > 0;
}
