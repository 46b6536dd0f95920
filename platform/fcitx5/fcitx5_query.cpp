#include "fcitx5_query.h"

#include "environment.h"
#include "fcitx5_items.h"
#include "input_method_files.h"
#include "layout_identifiers.h"
#include "query.h"
#include "session_bus.h"

enum { LANGUAGE_MAX = 32 };

static const BusObject CONTROLLER = {"org.fcitx.Fcitx5", "/controller",
    "org.fcitx.Fcitx.Controller1"};

// Field field, a string, of the tuple at index of array.
static Text Field(const Gio *gio, GVariant *array, gsize index, gsize field)
{
	GVariant *tuple = gio->variantGetChildValue(array, index);
	const char *text;

	gio->variantGetChild(tuple, field, "&s", &text);
	gio->variantUnref(tuple);
	return TextOf(text);
}

// Adds the layout of an item to layouts, unless it is left out.
static void AddItem(Text name, Text language, const WindowsLayout *layouts[], int *found)
{
	if (*found < MAX_LAYOUTS && Fcitx5ItemLayout(name, language, &layouts[*found]))
		(*found)++;
}

// From 5.1 on, the current group's items, each with its language: the
// unique name and the language code are fields 0 and 5 of each. Returns
// how many layouts it found, -1 where fcitx5 did not answer.
static int FullGroupLayouts(const Gio *gio, GDBusConnection *bus,
    const WindowsLayout *layouts[], bool *unknown)
{
	GVariant *reply = CallMethod(gio, bus, CONTROLLER, "FullInputMethodGroupInfo",
	    gio->variantNew("(s)", ""), "(sssa{sv}a(sssssssbsa{sv}))", unknown);
	if (!reply)
		return -1;

	GVariant *items = gio->variantGetChildValue(reply, 4);
	int found = 0;
	for (gsize i = 0, total = gio->variantNChildren(items); i < total && found < MAX_LAYOUTS; i++)
		AddItem(Field(gio, items, i, 0), Field(gio, items, i, 5), layouts, &found);
	gio->variantUnref(items);
	gio->variantUnref(reply);
	return found;
}

// The language code of the input method named name, in the list of every
// input method, a(ssssssb); false where the list lacks it.
static bool Language(const Gio *gio, GVariant *available, Text name, Text *language)
{
	for (gsize i = 0, total = gio->variantNChildren(available); i < total; i++) {
		if (SameText(Field(gio, available, i, 0), name)) {
			*language = Field(gio, available, i, 5);
			return true;
		}
	}
	return false;
}

// The language of the input method named name: its description file's,
// else the one in the list of every input method, which is asked for once
// into *available. False where neither describes it.
static bool ItemLanguage(const Gio *gio, GDBusConnection *bus, Text name,
    GVariant **available, char *described, size_t size, Text *language)
{
	if (DescribedLanguage(name, described, size)) {
		*language = TextOf(described);
		return true;
	}
	if (!*available)
		*available = CallMethod(gio, bus, CONTROLLER, "AvailableInputMethods",
		    NULL, "(a(ssssssb))", NULL);
	if (!*available)
		return false;
	GVariant *list = gio->variantGetChildValue(*available, 0);
	bool found = Language(gio, list, name, language);
	gio->variantUnref(list);
	return found;
}

// Before 5.1: the current group's name, its items, and the language of
// each that is not a keyboard.
static int GroupLayouts(const Gio *gio, GDBusConnection *bus, const WindowsLayout *layouts[])
{
	GVariant *current = CallMethod(gio, bus, CONTROLLER, "CurrentInputMethodGroup",
	    NULL, "(s)", NULL);
	if (!current)
		return -1;
	const char *group;
	gio->variantGetChild(current, 0, "&s", &group);
	GVariant *info = CallMethod(gio, bus, CONTROLLER, "InputMethodGroupInfo",
	    gio->variantNew("(s)", group), "(sa(ss))", NULL);
	gio->variantUnref(current);
	if (!info)
		return -1;

	GVariant *items = gio->variantGetChildValue(info, 1);
	GVariant *available = NULL;
	int found = 0;
	for (gsize i = 0, total = gio->variantNChildren(items); i < total && found < MAX_LAYOUTS; i++) {
		char described[LANGUAGE_MAX];
		Text name = Field(gio, items, i, 0), language = {NULL, 0};
		if (IsFcitx5Keyboard(name) ||
		    ItemLanguage(gio, bus, name, &available, described, sizeof described, &language))
			AddItem(name, language, layouts, &found);
	}
	if (available)
		gio->variantUnref(available);
	gio->variantUnref(items);
	gio->variantUnref(info);
	return found;
}

static bool Fcitx5Runs(const Gio **gio, GDBusConnection **bus)
{
	return InputMethodNamed() && (*gio = LoadGio()) && (*bus = SessionBus(*gio)) &&
	    NameHasOwner(*gio, *bus, CONTROLLER.name);
}

bool QueryFcitx5Layouts(int capacity, uint32_t *hklList, int *count)
{
	const Gio *gio;
	GDBusConnection *bus;
	const WindowsLayout *layouts[MAX_LAYOUTS];
	bool unknown;

	if (!Fcitx5Runs(&gio, &bus))
		return false;
	int found = FullGroupLayouts(gio, bus, layouts, &unknown);
	if (found < 0 && unknown)
		found = GroupLayouts(gio, bus, layouts);
	if (found <= 0)
		return false;
	*count = LayoutIdentifiers(layouts, found, capacity, hklList);
	return true;
}
