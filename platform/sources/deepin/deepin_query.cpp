#include "deepin_query.h"

#include "layout_identifiers.h"
#include "layout_lookup.h"
#include "query.h"
#include "session_bus.h"

static const BusObject KEYBOARDS[] = {
	{"org.deepin.dde.InputDevices1", "/org/deepin/dde/InputDevice1/Keyboard",
	    "org.deepin.dde.InputDevice1.Keyboard"},
	{"com.deepin.daemon.InputDevices", "/com/deepin/daemon/InputDevice/Keyboard",
	    "com.deepin.daemon.InputDevice.Keyboard"},
};

// The layouts of the keyboard's list, in order; -1 where it does not
// answer with an array of strings.
static int UserLayouts(const BusConnection *bus, BusObject keyboard,
    const WindowsLayout *layouts[])
{
	const char *const arguments[] = {keyboard.interface, "UserLayoutList"};
	BusObject properties = {keyboard.name, keyboard.path, "org.freedesktop.DBus.Properties"};
	sd_bus_message *reply = CallMethod(bus, properties, "Get", arguments, 2, "v", NULL);
	int found = -1;

	if (!reply)
		return -1;
	if (bus->sd->enterContainer(reply, 'v', "as") > 0 &&
	    bus->sd->enterContainer(reply, 'a', "s") > 0) {
		Text entry, variant;
		for (found = 0; found < MAX_LAYOUTS && (entry = ReadString(bus, reply)).bytes;) {
			Text layout = SplitAt(entry, ';', &variant);
			if (layout.length > 0)
				layouts[found++] = FindLayoutAndVariant(layout, variant);
		}
	}
	bus->sd->messageUnref(reply);
	return found;
}

bool QueryDeepinLayouts(int capacity, uint32_t *hklList, int *count)
{
	const BusConnection *bus = SessionBus();
	const WindowsLayout *layouts[MAX_LAYOUTS];
	int found = -1;

	for (const BusObject &keyboard : KEYBOARDS)
		if (bus && found < 0)
			found = UserLayouts(bus, keyboard, layouts);
	if (found <= 0)
		return false;
	*count = LayoutIdentifiers(layouts, found, capacity, hklList);
	return true;
}
