#include "input_sources.h"

#include <string.h>

#include "layout_lookup.h"

static bool Equals(Text text, const char *word)
{
	return text.length == strlen(word) && memcmp(text.bytes, word, text.length) == 0;
}

bool InputSourceLayout(InputSource source, EngineLanguage engineLanguage,
    void *context, const WindowsLayout **layout)
{
	if (Equals(source.type, "ibus"))
		return IbusEngineLayout(source.id, engineLanguage, context, layout);
	if (!Equals(source.type, "xkb"))
		return false;
	// GNOME writes "layout+variant" where the registry writes
	// "layout(variant)".
	Text variant;
	Text name = SplitAt(source.id, '+', &variant);
	*layout = FindLayoutAndVariant(name, variant);
	return *layout != NULL;
}
