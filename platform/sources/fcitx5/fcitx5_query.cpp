#include "fcitx5_query.h"

#include "fcitx_items.h"
#include "input_method_files.h"
#include "query.h"
#include "session_bus.h"

enum { LANGUAGE_MAX = 32 };

static const BusObject CONTROLLER = {"org.fcitx.Fcitx5", "/controller",
    "org.fcitx.Fcitx.Controller1"};

// The items of the current group: each input method's unique name and
// language code, which point into the replies they came from.
struct Items {
	int count;
	Text names[MAX_LAYOUTS];
	Text languages[MAX_LAYOUTS];
	char described[MAX_LAYOUTS][LANGUAGE_MAX];
};

// The fields of a struct of a reply: its signature, the input method's
// name first, then the types before its language code, if it has one,
// and the types after that.
struct Fields {
	const char *contents;
	const char *beforeLanguage;
	const char *rest;
};

static const Fields FULL_ITEM = {"sssssssbsa{sv}", "ssss", "sbsa{sv}"};
static const Fields GROUP_ITEM = {"ss", NULL, "s"};
static const Fields AVAILABLE_ITEM = {"ssssssb", "ssss", "b"};

// Reads the structs of an array in a reply until its end or the last item.
static void ReadStructs(const BusConnection *bus, sd_bus_message *reply,
    Fields fields, Items *items)
{
	const SdBus *sd = bus->sd;

	while (items->count < MAX_LAYOUTS && sd->enterContainer(reply, 'r', fields.contents) > 0) {
		int i = items->count++;
		items->names[i] = ReadString(bus, reply);
		items->languages[i] = Text{NULL, 0};
		if (fields.beforeLanguage) {
			sd->skip(reply, fields.beforeLanguage);
			items->languages[i] = ReadString(bus, reply);
		}
		sd->skip(reply, fields.rest);
		sd->exitContainer(reply);
	}
}

// From 5.1 on, the current group's items, each with its language code.
// The reply is the caller's to unref; NULL where fcitx5 did not answer.
static sd_bus_message *FullGroupItems(const BusConnection *bus, Items *items,
    bool *unknown)
{
	static const char *const currentGroup[] = {""};
	sd_bus_message *reply = CallMethod(bus, CONTROLLER, "FullInputMethodGroupInfo",
	    currentGroup, 1, "sssa{sv}a(sssssssbsa{sv})", unknown);

	if (reply && bus->sd->skip(reply, "sssa{sv}") >= 0 &&
	    bus->sd->enterContainer(reply, 'a', "(sssssssbsa{sv})") > 0)
		ReadStructs(bus, reply, FULL_ITEM, items);
	return reply;
}

// Before 5.1: the current group's items, by their names alone. The reply
// is the caller's to unref; NULL where fcitx5 did not answer.
static sd_bus_message *GroupItems(const BusConnection *bus, Items *items)
{
	sd_bus_message *current = CallMethod(bus, CONTROLLER, "CurrentInputMethodGroup",
	    NULL, 0, "s", NULL);
	if (!current)
		return NULL;
	Text group = ReadString(bus, current);
	const char *name = group.bytes;
	sd_bus_message *reply = name ? CallMethod(bus, CONTROLLER, "InputMethodGroupInfo",
	    &name, 1, "sa(ss)", NULL) : NULL;
	bus->sd->messageUnref(current);

	if (reply && bus->sd->skip(reply, "s") >= 0 &&
	    bus->sd->enterContainer(reply, 'a', "(ss)") > 0)
		ReadStructs(bus, reply, GROUP_ITEM, items);
	return reply;
}

// Before 5.1, finds the language of each item that is no keyboard: its
// description file's, else, where any is left, the one in fcitx5's list
// of every input method, which is asked for once. The list is the
// caller's to unref.
static sd_bus_message *ItemLanguages(const BusConnection *bus, Items *items)
{
	int missing = 0;

	for (int i = 0; i < items->count; i++) {
		if (IsFcitxKeyboard(items->names[i], FCITX5_KEYBOARD))
			continue;
		if (DescribedLanguage(items->names[i], items->described[i], LANGUAGE_MAX))
			items->languages[i] = TextOf(items->described[i]);
		else
			missing++;
	}
	sd_bus_message *list = missing ? CallMethod(bus, CONTROLLER, "AvailableInputMethods",
	    NULL, 0, "a(ssssssb)", NULL) : NULL;
	if (!list || bus->sd->enterContainer(list, 'a', "(ssssssb)") <= 0)
		return list;

	Items available = {};
	do {
		available.count = 0;
		ReadStructs(bus, list, AVAILABLE_ITEM, &available);
		for (int a = 0; a < available.count; a++)
			for (int i = 0; i < items->count; i++)
				if (!items->languages[i].bytes && SameText(items->names[i], available.names[a]))
					items->languages[i] = available.languages[a];
	} while (available.count == MAX_LAYOUTS);
	return list;
}

// The layouts of the items, in order, and which is current; an item no
// language describes is left out.
static void ItemLayouts(const Items *items, Text current, FoundLayouts *found)
{
	for (int i = 0; i < items->count; i++) {
		const WindowsLayout **layout = &found->layouts[found->count];
		if ((items->languages[i].bytes || IsFcitxKeyboard(items->names[i], FCITX5_KEYBOARD)) &&
		    FcitxItemLayout(items->names[i], FCITX5_KEYBOARD, items->languages[i], layout)) {
			if (current.length > 0 && SameText(items->names[i], current))
				found->active = found->count;
			found->count++;
		}
	}
}

bool QueryFcitx5Layouts(Query *query, FoundLayouts *found)
{
	const BusConnection *bus = SessionBus(query);
	Items items = {};
	sd_bus_message *list = NULL;
	bool unknown;

	if (!bus)
		return false;
	sd_bus_message *reply = FullGroupItems(bus, &items, &unknown);
	if (!reply && unknown && (reply = GroupItems(bus, &items)))
		list = ItemLanguages(bus, &items);
	// The input method of the input context that had focus last: one of
	// the group's items, by its unique name.
	sd_bus_message *current = query->asksActive && items.count > 0
	    ? CallMethod(bus, CONTROLLER, "CurrentInputMethod", NULL, 0, "s", NULL) : NULL;
	ItemLayouts(&items, current ? ReadString(bus, current) : Text{NULL, 0}, found);
	sd_bus_message *replies[] = {current, list, reply};
	for (sd_bus_message *message : replies)
		if (message)
			bus->sd->messageUnref(message);
	return found->count > 0;
}
