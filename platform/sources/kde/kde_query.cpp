#include "kde_query.h"

#include "kconfig.h"
#include "layout_lookup.h"
#include "session_bus.h"

bool QueryKdeLayouts(FoundLayouts *found)
{
	static const char *const keys[] = {"Use", "LayoutList", "VariantList"};
	KConfigValue values[3];

	ReadKConfig("kxkbrc", "Layout", keys, values, 3);
	if (!KConfigTrue(&values[0], false))
		return false;

	Text names[MAX_LAYOUTS], variants[MAX_LAYOUTS];
	int listed = SplitKConfigList(&values[1].value, names, MAX_LAYOUTS);
	int varied = SplitKConfigList(&values[2].value, variants, MAX_LAYOUTS);
	// Without a variant of its own, an entry may be "de(nodeadkeys)".
	for (int i = 0; i < listed; i++)
		if (names[i].length > 0)
			found->layouts[found->count++] = FindLayoutAndVariant(names[i],
			    i < varied ? variants[i] : Text{NULL, 0});
	return found->count > 0;
}

int KdeLayoutInUse(Query *query)
{
	static const BusObject LAYOUTS = {"org.kde.keyboard", "/Layouts", "org.kde.KeyboardLayouts"};
	const BusConnection *bus = SessionBus(query);
	sd_bus_message *reply = bus ? CallMethod(bus, LAYOUTS, "getLayout", NULL, 0, "u", NULL) : NULL;
	uint32_t index;

	if (!reply)
		return NO_ACTIVE;
	int position = bus->sd->readBasic(reply, 'u', &index) > 0 && index < MAX_LAYOUTS
	    ? (int)index : NO_ACTIVE;
	bus->sd->messageUnref(reply);
	return position;
}

// The .desktop files of fcitx5 and of IBus's Wayland panel, which starts
// the daemon.
static const char *const FRAMEWORK_FILES[] = {
	"org.fcitx.Fcitx5.desktop",
	"fcitx5-wayland-launcher.desktop",
	"org.freedesktop.IBus.Panel.Wayland.Gtk3.desktop",
};

bool KWinStartsFramework()
{
	static const char *const keys[] = {"InputMethod", "VirtualKeyboardEnabled"};
	KConfigValue values[2];

	ReadKConfig("kwinrc", "Wayland", keys, values, 2);
	if (!values[0].found || !KConfigTrue(&values[1], true))
		return false;
	// A path, or a name KWin looks for in the applications' folders.
	Text path = TextOf(&values[0].value);
	const char *slash = (const char *)memrchr(path.bytes, '/', path.length);
	size_t at = slash ? (size_t)(slash + 1 - path.bytes) : 0;
	Text file = {path.bytes + at, path.length - at};
	for (const char *framework : FRAMEWORK_FILES)
		if (TextIs(file, framework))
			return true;
	return false;
}
