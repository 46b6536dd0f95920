#include "environment.h"

#include <stdlib.h>
#include <string.h>

bool DesktopNamed(const char *desktop)
{
	const char *list = getenv("XDG_CURRENT_DESKTOP");
	size_t wanted = strlen(desktop);

	while (list && *list) {
		size_t length = strcspn(list, ":");
		if (length == wanted && memcmp(list, desktop, length) == 0)
			return true;
		list += length + (list[length] == ':');
	}
	return false;
}

static bool IsFramework(const char *value)
{
	static const char *const frameworks[] = {"fcitx", "fcitx5", "ibus"};

	for (const char *framework : frameworks)
		if (value && strcmp(value, framework) == 0)
			return true;
	return false;
}

bool InputMethodNamed()
{
	static const char prefix[] = "@im=";
	const char *modifiers = getenv("XMODIFIERS");

	if (modifiers && strncmp(modifiers, prefix, sizeof prefix - 1) == 0 &&
	    IsFramework(modifiers + sizeof prefix - 1))
		return true;
	return IsFramework(getenv("GTK_IM_MODULE")) || IsFramework(getenv("QT_IM_MODULE")) ||
	    IsFramework(getenv("INPUT_METHOD"));
}
