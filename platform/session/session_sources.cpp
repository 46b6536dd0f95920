#include "session_sources.h"

#include <unistd.h>

#include "desktops.h"
#include "environment.h"
#include "fcitx4_query.h"
#include "fcitx5_query.h"
#include "ibus_address.h"
#include "ibus_query.h"
#include "kde_query.h"
#include "sway_ipc.h"
#include "wayland_query.h"
#include "x11_query.h"

// fcitx5 serves the frameworks the session names, unless IBus's address
// file names ibus-daemon, whose place it would have taken.
static bool Fcitx5Session(Query *query)
{
	return InputMethodNamed(query) && IbusAddressServer(query) != IBUS_SERVER_IBUS_DAEMON;
}

static bool Fcitx4Session(Query *)
{
	return FcitxNamed();
}

// IBus's own list is the one its switcher shows where the desktop's list
// does not hold the input methods.
static bool IbusSession(Query *query)
{
	return InputMethodNamed(query) && !DesktopListsInputMethods();
}

static bool WaylandSession(Query *)
{
	return WaylandNamed();
}

static bool AnySession(Query *)
{
	return true;
}

// The compositor's keymap; a client without a window learns the layout
// in use only where the compositor tells it another way, each layout by
// its position in the same keymap: sway on its IPC socket, asked first so
// that it answers while the keymap is read, KWin on the session bus.
static bool QueryCompositorLayouts(Query *query, FoundLayouts *found)
{
	int sway = query->asksActive ? AskSwayInputs() : -1;

	if (!QueryWaylandLayouts(query, found)) {
		if (sway >= 0)
			close(sway);
		return false;
	}
	if (sway >= 0)
		found->active = SwayLayoutInUse(query, sway);
	else if (query->asksActive && DesktopNamed("KDE"))
		found->active = KdeLayoutInUse(query);
	if (found->active >= found->count)
		found->active = NO_ACTIVE;
	return true;
}

// The list the user switches between is asked of these in order, each in
// the sessions it answers for. An input method framework that runs owns
// the keymap and sets it to the layout in use; a desktop that keeps a list
// builds its keymap from part of it. The Wayland compositor's keymap
// answers where there is one, even with no layout, since Xwayland would
// then show a default nobody chose.
const SessionSource SESSION_SOURCES[] = {
	{Fcitx5Session, QueryFcitx5Layouts},	// fcitx5's current group, over sd-bus
	{Fcitx4Session, QueryFcitx4Layouts},	// fcitx 4's list, where fcitx5 gave none
	{AnySession, QueryDesktopLayouts},	// the desktop's own list
	{IbusSession, QueryIbusLayouts},	// IBus's engines, in other desktops
	{WaylandSession, QueryCompositorLayouts},	// the compositor's keymap
	{AnySession, QueryXLayouts},	// the X server's keymap
};

const int SESSION_SOURCE_COUNT = sizeof SESSION_SOURCES / sizeof SESSION_SOURCES[0];
