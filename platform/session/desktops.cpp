#include "desktops.h"

#include <stddef.h>

#include "deepin_query.h"
#include "environment.h"
#include "gnome_query.h"
#include "kde_query.h"

// A desktop, by the name XDG_CURRENT_DESKTOP lists it under, with the
// source of its list and whether that holds input methods.
struct Desktop {
	const char *name;
	bool (*ask)(int capacity, uint32_t *hklList, int *count);
	bool listsInputMethods;
};

// KDE's list on X11; on Wayland, KWin's keymap holds what its switcher
// lists.
static bool QueryKdeOnX11(int capacity, uint32_t *hklList, int *count)
{
	return !WaylandNamed() && QueryKdeLayouts(capacity, hklList, count);
}

// The first that the session names is its desktop.
static const Desktop DESKTOPS[] = {
	{"X-Cinnamon", QueryCinnamonSources, true},
	{"GNOME", QueryGnomeSources, true},
	{"Budgie", QueryGnomeSources, true},
	{"Pantheon", QueryGnomeSources, true},
	{"Unity", QueryGnomeSources, true},
	{"KDE", QueryKdeOnX11, false},
	{"DDE", QueryDeepinLayouts, false},	// from v23
	{"Deepin", QueryDeepinLayouts, false},
};

static const Desktop *SessionDesktop()
{
	for (const Desktop &desktop : DESKTOPS)
		if (DesktopNamed(desktop.name))
			return &desktop;
	return NULL;
}

bool QueryDesktopLayouts(int capacity, uint32_t *hklList, int *count)
{
	const Desktop *desktop = SessionDesktop();

	return desktop && desktop->ask(capacity, hklList, count);
}

bool DesktopListsInputMethods()
{
	const Desktop *desktop = SessionDesktop();

	return desktop && desktop->listsInputMethods;
}
