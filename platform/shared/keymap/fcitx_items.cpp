#include "fcitx_items.h"

#include "layout_lookup.h"

const char FCITX5_KEYBOARD[] = "keyboard-";
const char FCITX4_KEYBOARD[] = "fcitx-keyboard-";

bool IsFcitxKeyboard(Text name, const char *keyboardPrefix)
{
	Text rest;
	return StartsWith(name, keyboardPrefix, &rest);
}

// Both fcitx split the rest of a keyboard's name at its first '-' into
// XKB's layout and variant names.
bool FcitxItemLayout(Text name, const char *keyboardPrefix, Text language,
    const WindowsLayout **layout)
{
	Text rest;

	if (!StartsWith(name, keyboardPrefix, &rest)) {
		*layout = FindLanguage(language);
		return true;
	}
	Text variant;
	Text xkbLayout = SplitAt(rest, '-', &variant);
	*layout = FindLayoutAndVariant(xkbLayout, variant);
	return *layout != NULL;
}
