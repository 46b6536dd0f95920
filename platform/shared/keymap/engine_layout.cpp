#include "engine_layout.h"

#include "layout_lookup.h"

enum { LANGUAGE_TAG_MAX = 32 };

bool IbusEngineLayout(Text engine, EngineLanguage engineLanguage, void *context,
    const WindowsLayout **layout)
{
	Text rest, tag;

	if (StartsWith(engine, "xkb:", &rest)) {
		Text name = SplitAt(rest, ':', &rest);
		Text variant = SplitAt(rest, ':', &rest);
		*layout = FindLayoutAndVariant(name, variant);
		return *layout != NULL;
	}
	char described[LANGUAGE_TAG_MAX];
	if (StartsWith(engine, "m17n:", &rest)) {
		tag = SplitAt(rest, ':', &rest);
		if (rest.bytes == NULL)
			tag.length = 0;
	} else {
		tag = Text{described, engineLanguage(context, engine, described, sizeof described)};
	}
	if (tag.length == 0)
		return false;
	*layout = FindLanguage(tag);
	return true;
}
