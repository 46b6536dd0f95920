#include "session_sources.h"

#include "desktops.h"
#include "fcitx5_query.h"
#include "ibus_query.h"
#include "wayland_query.h"
#include "x11_query.h"

// The layouts of the session's keymap: the Wayland compositor's where there
// is one, even none, since Xwayland would then show a default nobody chose;
// else the X server's.
static bool QueryKeymapLayouts(int capacity, uint32_t *hklList, int *count)
{
	if (!QueryWaylandLayouts(capacity, hklList, count))
		*count = QueryXLayouts(capacity, hklList);
	return true;
}

// The list the user switches between is asked of these in order. An input
// method framework that runs owns the keymap and sets it to the layout in
// use; a desktop that keeps a list builds its keymap from part of it.
const SessionSource SESSION_SOURCES[] = {
	{QueryFcitx5Layouts, false},	// fcitx5's current group
	{QueryDesktopLayouts, true},	// the desktop's own list
	{QueryIbusLayouts, true},	// IBus's engines, in other desktops
	{QueryKeymapLayouts, false},	// the compositor's or the X server's keymap
};

const int SESSION_SOURCE_COUNT = sizeof SESSION_SOURCES / sizeof SESSION_SOURCES[0];
