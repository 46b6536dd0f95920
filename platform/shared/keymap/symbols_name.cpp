#include "symbols_name.h"

#include <string.h>

#include "layout_lookup.h"

enum { MALFORMED_SUFFIX = -1 };

// One symbols file of the name, "fr" in "fr:2", with the group its suffix
// names (0 for none).
struct Component {
	Text name;
	int group;
};

static bool Contains(Text text, char c)
{
	return text.length > 0 && memchr(text.bytes, c, text.length) != NULL;
}

// xkbcomp writes the rules' '+' and ':' back as '_', except inside
// parentheses.
static bool WrittenByXkbcomp(Text symbols)
{
	return !Contains(symbols, '+') && !Contains(symbols, '|') &&
	    !Contains(symbols, ':');
}

static bool IsGroupDigit(char c)
{
	return c >= '1' && c <= '0' + XKB_MAX_GROUPS;
}

// Takes length bytes and the separator after them off the front of text.
static void Skip(Text *text, size_t length)
{
	size_t skipped = length < text->length ? length + 1 : length;
	text->bytes += skipped;
	text->length -= skipped;
}

// Cuts the next component off the front of rest, with its ":N" suffix.
static Component NextRulesComponent(Text *rest)
{
	size_t end = 0;
	while (end < rest->length && rest->bytes[end] != '+' && rest->bytes[end] != '|')
		end++;
	Component component = {{rest->bytes, end}, 0};
	Skip(rest, end);

	const char *colon = (const char *)memchr(component.name.bytes, ':', end);
	if (colon) {
		size_t at = (size_t)(colon - component.name.bytes);
		bool wellFormed = at > 0 && at + 2 == end && IsGroupDigit(colon[1]);
		component.group = wellFormed ? colon[1] - '0' : MALFORMED_SUFFIX;
		component.name.length = at;
	}
	return component;
}

// The length of the front of text up to a '_' outside parentheses.
static size_t XkbcompPiece(Text text)
{
	size_t end = 0;
	int depth = 0;

	for (; end < text.length && (depth > 0 || text.bytes[end] != '_'); end++) {
		if (text.bytes[end] == '(')
			depth++;
		else if (text.bytes[end] == ')' && depth > 0)
			depth--;
	}
	return end;
}

// Cuts the next component off the front of rest, with the "_N" piece after
// it that names its group.
static Component NextXkbcompComponent(Text *rest)
{
	size_t end = XkbcompPiece(*rest);
	Component component = {{rest->bytes, end}, 0};

	Skip(rest, end);
	size_t next = XkbcompPiece(*rest);
	if (next == 1 && IsGroupDigit(rest->bytes[0])) {
		component.group = rest->bytes[0] - '0';
		Skip(rest, next);
	}
	return component;
}

// "sun_vndr/de" is "de": a vendor's directory says nothing of the layout.
static Text WithoutDirectory(Text name)
{
	const char *end = (const char *)memchr(name.bytes, '(', name.length);
	if (!end)
		end = name.bytes + name.length;
	for (const char *c = end; c > name.bytes; c--)
		if (c[-1] == '/')
			return Text{c, name.length - (size_t)(c - name.bytes)};
	return name;
}

int ParseSymbolsName(Text symbols, Text layouts[XKB_MAX_GROUPS])
{
	bool xkbcomp = WrittenByXkbcomp(symbols);
	// The rules write the model's symbols, the first group's layout, the
	// other groups' layouts with suffixes, and then options: after a
	// suffixed component, a component without one is no layout.
	bool optionsOnly = false;
	int highest = 0;

	for (int g = 0; g < XKB_MAX_GROUPS; g++)
		layouts[g] = Text{NULL, 0};
	while (symbols.length > 0) {
		Component component = xkbcomp ? NextXkbcompComponent(&symbols)
		    : NextRulesComponent(&symbols);
		Text name = WithoutDirectory(component.name);
		int group = component.group;

		if (group != 0)
			optionsOnly = true;
		else if (!optionsOnly && FindLayoutByName(name))
			group = 1;
		if (group <= 0 || name.length == 0 || layouts[group - 1].bytes)
			continue;
		layouts[group - 1] = name;
		if (group == 1)
			optionsOnly = true;
		if (group > highest)
			highest = group;
	}
	return highest;
}
