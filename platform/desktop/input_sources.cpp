#include "input_sources.h"

#include <string.h>

#include "layout_lookup.h"

// Longer than any layout the registry has, with its variant.
enum { LAYOUT_NAME_MAX = 64, LANGUAGE_TAG_MAX = 32 };

static bool Equals(Text text, const char *word)
{
	return text.length == strlen(word) && memcmp(text.bytes, word, text.length) == 0;
}

// GNOME writes "layout+variant" where the registry writes "layout(variant)".
static const WindowsLayout *XkbLayout(Text id)
{
	char name[LAYOUT_NAME_MAX];
	const char *plus = (const char *)memchr(id.bytes, '+', id.length);

	if (id.length == 0 || id.length + 2 > sizeof name)
		return NULL;
	memcpy(name, id.bytes, id.length);
	size_t length = id.length;
	if (plus) {
		name[plus - id.bytes] = '(';
		name[length++] = ')';
	}
	return FindLayoutByName(Text{name, length});
}

// "m17n:hi:itrans" is of the language "hi".
static Text M17nLanguage(Text engine)
{
	static const char prefix[] = "m17n:";
	const size_t prefixLength = sizeof prefix - 1;

	if (engine.length <= prefixLength || memcmp(engine.bytes, prefix, prefixLength) != 0)
		return Text{NULL, 0};
	Text rest = {engine.bytes + prefixLength, engine.length - prefixLength};
	const char *colon = (const char *)memchr(rest.bytes, ':', rest.length);
	if (!colon || colon == rest.bytes)
		return Text{NULL, 0};
	return Text{rest.bytes, (size_t)(colon - rest.bytes)};
}

bool InputSourceLayout(InputSource source, EngineLanguage engineLanguage,
    void *context, const WindowsLayout **layout)
{
	if (Equals(source.type, "xkb")) {
		*layout = XkbLayout(source.id);
		return *layout != NULL;
	}
	if (!Equals(source.type, "ibus"))
		return false;
	Text tag = M17nLanguage(source.id);
	char described[LANGUAGE_TAG_MAX];
	if (tag.length == 0)
		tag = Text{described, engineLanguage(context, source.id, described, sizeof described)};
	if (tag.length == 0)
		return false;
	*layout = FindLanguage(tag);
	return true;
}
