#include "input_sources.h"

#include "layout_lookup.h"

bool InputSourceLayout(InputSource source, EngineLanguage engineLanguage,
    void *context, const WindowsLayout **layout)
{
	if (TextIs(source.type, "ibus"))
		return IbusEngineLayout(source.id, engineLanguage, context, layout);
	if (!TextIs(source.type, "xkb"))
		return false;
	// GNOME writes "layout+variant" where the registry writes
	// "layout(variant)".
	Text variant;
	Text name = SplitAt(source.id, '+', &variant);
	*layout = FindLayoutAndVariant(name, variant);
	return *layout != NULL;
}
