#include "fcitx4_query.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "fcitx4_address.h"
#include "fcitx_items.h"
#include "query.h"
#include "session_bus.h"

enum { ADDRESS_MAX = 1024 };

// The bus fcitx 4's clients would ask, as they find it.
static const BusConnection *Fcitx4Bus(Query *query, BusConnection *own)
{
	const char *given = secure_getenv("FCITX_DBUS_ADDRESS");
	char address[ADDRESS_MAX];

	if (given && *given)
		return strncmp(given, "unix:", sizeof "unix:" - 1) == 0 && ConnectBus(query, given, own)
		    ? own : NULL;
	if (Fcitx4OwnBus(address, sizeof address) && ConnectBus(query, address, own))
		return own;
	return SessionBus(query);
}

// fcitx 4's object of input methods, on the bus name of the display.
struct Fcitx4Object {
	char name[sizeof "org.fcitx.Fcitx-2147483647"];
	BusObject object;
};

static void InputMethodObject(Fcitx4Object *fcitx, const char *interface)
{
	snprintf(fcitx->name, sizeof fcitx->name, "org.fcitx.Fcitx-%d", Fcitx4DisplayNumber());
	fcitx->object = BusObject{fcitx->name, "/inputmethod", interface};
}

// The layouts of the enabled input methods, which fcitx 4's list, a(sssb)
// of (name, unique name, language code, enabled), gives first, and the
// position of current's; false where it does not answer with such a list.
static bool EnabledLayouts(const BusConnection *bus, Text current, FoundLayouts *found)
{
	static const char *const arguments[] = {"org.fcitx.Fcitx.InputMethod", "IMList"};
	Fcitx4Object properties;
	InputMethodObject(&properties, "org.freedesktop.DBus.Properties");
	sd_bus_message *reply = CallMethod(bus, properties.object, "Get", arguments, 2, "v", NULL);
	const SdBus *sd = bus->sd;
	int enabled = 1;

	if (!reply)
		return false;
	bool listed = sd->enterContainer(reply, 'v', "a(sssb)") > 0 &&
	    sd->enterContainer(reply, 'a', "(sssb)") > 0;
	for (int read = 0; listed && enabled && read < MAX_LAYOUTS &&
	    sd->enterContainer(reply, 'r', "sssb") > 0; read++) {
		sd->skip(reply, "s");
		Text unique = ReadString(bus, reply);
		Text language = ReadString(bus, reply);
		if (sd->readBasic(reply, 'b', &enabled) <= 0 || !enabled)
			break;
		sd->exitContainer(reply);
		if (!FcitxItemLayout(unique, FCITX4_KEYBOARD, language,
		    &found->layouts[found->count]))
			continue;
		if (current.length > 0 && SameText(unique, current))
			found->active = found->count;
		found->count++;
	}
	sd->messageUnref(reply);
	return listed;
}

// Whether the input context with the focus is active: fcitx 4 keeps its
// current input method with none, but the user types with the first, the
// one of an inactive context.
static bool Active(const BusConnection *bus, BusObject inputMethods)
{
	enum { STATE_ACTIVE = 2 };
	sd_bus_message *reply = CallMethod(bus, inputMethods, "GetCurrentState", NULL, 0, "i", NULL);
	int state = 0;

	if (reply && bus->sd->readBasic(reply, 'i', &state) <= 0)
		state = 0;
	if (reply)
		bus->sd->messageUnref(reply);
	return state == STATE_ACTIVE;
}

bool QueryFcitx4Layouts(Query *query, FoundLayouts *found)
{
	BusConnection own;
	const BusConnection *bus = Fcitx4Bus(query, &own);
	Fcitx4Object inputMethods;
	InputMethodObject(&inputMethods, "org.fcitx.Fcitx.InputMethod");
	sd_bus_message *current = bus && query->asksActive && Active(bus, inputMethods.object)
	    ? CallMethod(bus, inputMethods.object, "GetCurrentIM", NULL, 0, "s", NULL) : NULL;

	if (bus)
		EnabledLayouts(bus, current ? ReadString(bus, current) : Text{NULL, 0}, found);
	if (current)
		bus->sd->messageUnref(current);
	if (bus == &own)
		own.sd->closeUnref(own.bus);
	return found->count > 0;
}
