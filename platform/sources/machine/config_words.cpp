#include "config_words.h"

#include <ctype.h>
#include <string.h>

#include "layout_lookup.h"
#include "query.h"

static Text NextLine(Text *file)
{
	Text rest;
	Text line = SplitAt(*file, '\n', &rest);

	*file = rest;
	return line;
}

// Reads the next word of *line into word as a shell would: quotes ("..."
// or '...') keep blanks, a backslash outside single quotes keeps the next
// byte, and a '#' that begins a word begins a comment. False where the
// line has no more words; a word too long for the value is cut, and
// *whole is then false.
static bool NextWord(Text *line, ConfigValue *word, bool *whole)
{
	const char *at = line->bytes, *end = at + line->length;
	char quote = 0;

	while (at < end && IsSpace(*at))
		at++;
	if (at == end || *at == '#')
		return false;
	word->length = 0;
	*whole = true;
	for (; at < end && (quote || !IsSpace(*at)); at++) {
		char c = *at;
		if (quote == 0 && (c == '"' || c == '\'')) {
			quote = c;
			continue;
		}
		if (c == quote) {
			quote = 0;
			continue;
		}
		if (c == '\\' && quote != '\'' && at + 1 < end)
			c = *++at;
		if (word->length < sizeof word->bytes)
			word->bytes[word->length++] = c;
		else
			*whole = false;
	}
	*line = Text{at, (size_t)(end - at)};
	return true;
}

void ShellValue(Text file, const char *key, ConfigValue *value)
{
	ConfigValue word;
	bool whole;
	Text rest;

	value->length = 0;
	while (file.length > 0) {
		Text line = NextLine(&file);
		if (!NextWord(&line, &word, &whole))
			continue;
		if (TextIs(TextOf(&word), "export") && !NextWord(&line, &word, &whole))
			continue;
		if (!StartsWith(TextOf(&word), key, &rest) || !StartsWith(rest, "=", &rest))
			continue;
		value->length = whole ? rest.length : 0;
		memcpy(value->bytes, rest.bytes, value->length);
	}
}

// The X server compares names without regard to case, '_' or blanks.
static bool SameName(const ConfigValue *word, const char *name)
{
	size_t i = 0;

	for (; *name; name++) {
		while (i < word->length && (word->bytes[i] == '_' || IsSpace(word->bytes[i])))
			i++;
		if (i == word->length || tolower((unsigned char)word->bytes[i]) !=
		    tolower((unsigned char)*name))
			return false;
		i++;
	}
	while (i < word->length && (word->bytes[i] == '_' || IsSpace(word->bytes[i])))
		i++;
	return i == word->length;
}

void XorgOption(Text file, const char *name, ConfigValue *value)
{
	ConfigValue word;
	bool whole, inputClass = false;

	value->length = 0;
	while (file.length > 0) {
		Text line = NextLine(&file);
		if (!NextWord(&line, &word, &whole))
			continue;
		if (SameName(&word, "Section"))
			inputClass = NextWord(&line, &word, &whole) && SameName(&word, "InputClass");
		else if (SameName(&word, "EndSection"))
			inputClass = false;
		else if (inputClass && SameName(&word, "Option") &&
		    NextWord(&line, &word, &whole) && SameName(&word, name) &&
		    NextWord(&line, value, &whole) && !whole)
			value->length = 0;
	}
}

// A column of kbd-model-map: "-" is empty.
static bool Column(Text *line, ConfigValue *word)
{
	bool whole;

	if (!NextWord(line, word, &whole))
		return false;
	if (!whole || TextIs(TextOf(word), "-"))
		word->length = 0;
	return true;
}

bool KbdModelMapRow(Text file, Text keymap, ConfigValue *layouts, ConfigValue *variants)
{
	ConfigValue word;

	while (file.length > 0) {
		Text line = NextLine(&file);
		if (Column(&line, &word) && word.length > 0 && SameText(TextOf(&word), keymap) &&
		    Column(&line, layouts) && Column(&line, &word) && Column(&line, variants))
			return true;
	}
	return false;
}

int ListedLayouts(Text layouts, Text variants, const WindowsLayout *found[])
{
	int count = 0;

	while (count < MAX_LAYOUTS && layouts.length > 0) {
		Text name = SplitAt(layouts, ',', &layouts);
		Text variant = SplitAt(variants, ',', &variants);
		if (name.length > 0)
			found[count++] = FindLayoutAndVariant(name, variant);
	}
	return count;
}
