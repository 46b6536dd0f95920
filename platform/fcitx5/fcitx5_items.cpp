#include "fcitx5_items.h"

#include "layout_lookup.h"

static const char KEYBOARD[] = "keyboard-";

bool IsFcitx5Keyboard(Text name)
{
	Text rest;
	return StartsWith(name, KEYBOARD, &rest);
}

// fcitx5 splits the rest of a keyboard's name at its first '-' into XKB's
// layout and variant names.
bool Fcitx5ItemLayout(Text name, Text language, const WindowsLayout **layout)
{
	Text rest;

	if (!StartsWith(name, KEYBOARD, &rest)) {
		*layout = FindLanguage(language);
		return true;
	}
	Text variant;
	Text xkbLayout = SplitAt(rest, '-', &variant);
	*layout = FindLayoutAndVariant(xkbLayout, variant);
	return *layout != NULL;
}
