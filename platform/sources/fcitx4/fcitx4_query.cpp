#include "fcitx4_query.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fcitx4_address.h"
#include "fcitx_items.h"
#include "layout_identifiers.h"
#include "query.h"
#include "session_bus.h"

enum { ADDRESS_MAX = 1024 };

// The bus fcitx 4's clients would ask, as they find it.
static const BusConnection *Fcitx4Bus(BusConnection *own)
{
	const char *given = secure_getenv("FCITX_DBUS_ADDRESS");
	char address[ADDRESS_MAX];

	if (given && *given)
		return strncmp(given, "unix:", sizeof "unix:" - 1) == 0 && ConnectBus(given, own)
		    ? own : NULL;
	if (Fcitx4OwnBus(address, sizeof address) && ConnectBus(address, own))
		return own;
	return SessionBus();
}

// The layouts of the enabled input methods, which fcitx 4's list, a(sssb)
// of (name, unique name, language code, enabled), gives first; -1 where
// it does not answer with such a list.
static int EnabledLayouts(const BusConnection *bus, const WindowsLayout *layouts[])
{
	static const char *const arguments[] = {"org.fcitx.Fcitx.InputMethod", "IMList"};
	char name[sizeof "org.fcitx.Fcitx-2147483647"];
	snprintf(name, sizeof name, "org.fcitx.Fcitx-%d", Fcitx4DisplayNumber());
	BusObject properties = {name, "/inputmethod", "org.freedesktop.DBus.Properties"};
	sd_bus_message *reply = CallMethod(bus, properties, "Get", arguments, 2, "v", NULL);
	const SdBus *sd = bus->sd;
	int found = -1, enabled = 1;

	if (!reply)
		return -1;
	if (sd->enterContainer(reply, 'v', "a(sssb)") > 0 &&
	    sd->enterContainer(reply, 'a', "(sssb)") > 0) {
		found = 0;
		for (int read = 0; enabled && read < MAX_LAYOUTS &&
		    sd->enterContainer(reply, 'r', "sssb") > 0; read++) {
			sd->skip(reply, "s");
			Text unique = ReadString(bus, reply);
			Text language = ReadString(bus, reply);
			if (sd->readBasic(reply, 'b', &enabled) <= 0 || !enabled)
				break;
			sd->exitContainer(reply);
			if (FcitxItemLayout(unique, FCITX4_KEYBOARD, language, &layouts[found]))
				found++;
		}
	}
	sd->messageUnref(reply);
	return found;
}

bool QueryFcitx4Layouts(int capacity, uint32_t *hklList, int *count)
{
	BusConnection own;
	const BusConnection *bus = Fcitx4Bus(&own);
	const WindowsLayout *layouts[MAX_LAYOUTS];
	int found = bus ? EnabledLayouts(bus, layouts) : -1;

	if (bus == &own)
		own.sd->closeUnref(own.bus);
	if (found <= 0)
		return false;
	*count = LayoutIdentifiers(layouts, found, capacity, hklList);
	return true;
}
