#include "desktops.h"

#include <stddef.h>

#include "deepin_query.h"
#include "environment.h"
#include "gnome_query.h"
#include "kde_query.h"
#include "x11_query.h"

// A desktop, by the name XDG_CURRENT_DESKTOP lists it under, with the
// source of its list and whether that holds input methods.
struct Desktop {
	const char *name;
	bool (*ask)(Query *query, FoundLayouts *found);
	bool listsInputMethods;
};

// The layout in use where the desktop's list does not say it: the X
// server's, its group's layout found in the list by what it is, since the
// desktop may have put only part of its list in the keymap.
static void InUseOnX(Query *query, FoundLayouts *found)
{
	FoundLayouts keymap = {0, NO_ACTIVE, {}};

	if (!QueryXLayouts(query, &keymap) || keymap.active == NO_ACTIVE)
		return;
	for (int i = 0; i < found->count && found->active == NO_ACTIVE; i++)
		if (found->layouts[i] == keymap.layouts[keymap.active])
			found->active = i;
}

// KDE's list on X11, where its keyboard daemon sets the X group; on
// Wayland, KWin's keymap holds what its switcher lists.
static bool QueryKdeOnX11(Query *query, FoundLayouts *found)
{
	if (WaylandNamed() || !QueryKdeLayouts(found))
		return false;
	if (query->asksActive)
		InUseOnX(query, found);
	return true;
}

// Cinnamon's list, whose applet sets the X group.
static bool QueryCinnamonOnX11(Query *query, FoundLayouts *found)
{
	if (!QueryCinnamonSources(query, found))
		return false;
	if (query->asksActive)
		InUseOnX(query, found);
	return true;
}

// The first that the session names is its desktop.
static const Desktop DESKTOPS[] = {
	{"X-Cinnamon", QueryCinnamonOnX11, true},
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

bool QueryDesktopLayouts(Query *query, FoundLayouts *found)
{
	const Desktop *desktop = SessionDesktop();

	return desktop && desktop->ask(query, found);
}

bool DesktopListsInputMethods()
{
	const Desktop *desktop = SessionDesktop();

	return desktop && desktop->listsInputMethods;
}
