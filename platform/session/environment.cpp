#include "environment.h"

#include <stdlib.h>
#include <string.h>

#include "given_socket.h"
#include "kde_query.h"

bool DesktopNamed(const char *desktop)
{
	const char *list = secure_getenv("XDG_CURRENT_DESKTOP");
	size_t wanted = strlen(desktop);

	while (list && *list) {
		size_t length = strcspn(list, ":");
		if (length == wanted && memcmp(list, desktop, length) == 0)
			return true;
		list += length + (list[length] == ':');
	}
	return false;
}

static const char *const ANY_FRAMEWORK[] = {"fcitx", "fcitx5", "ibus", NULL};
static const char *const FCITX[] = {"fcitx", NULL};

static bool IsOneOf(const char *value, const char *const names[])
{
	for (; value && *names; names++)
		if (strcmp(value, *names) == 0)
			return true;
	return false;
}

// Whether the variables that name the session's framework name one of
// frameworks.
static bool VariablesName(const char *const frameworks[])
{
	static const char prefix[] = "@im=";
	const char *modifiers = secure_getenv("XMODIFIERS");

	if (modifiers && strncmp(modifiers, prefix, sizeof prefix - 1) == 0 &&
	    IsOneOf(modifiers + sizeof prefix - 1, frameworks))
		return true;
	return IsOneOf(secure_getenv("GTK_IM_MODULE"), frameworks) ||
	    IsOneOf(secure_getenv("QT_IM_MODULE"), frameworks) ||
	    IsOneOf(secure_getenv("INPUT_METHOD"), frameworks);
}

static bool FrameworkNamed()
{
	return VariablesName(ANY_FRAMEWORK) ||
	    (DesktopNamed("KDE") && WaylandNamed() && KWinStartsFramework());
}

bool InputMethodNamed(Query *query)
{
	if (query->frameworkNamed < 0)
		query->frameworkNamed = FrameworkNamed();
	return query->frameworkNamed;
}

bool FcitxNamed()
{
	return VariablesName(FCITX);
}

bool WaylandNamed()
{
	return secure_getenv("WAYLAND_DISPLAY") || GivenWaylandSocket();
}
