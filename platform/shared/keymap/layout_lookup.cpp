#include "layout_lookup.h"

#include <string.h>

// Orders like strcmp, for a text that is not NUL-terminated.
static int Compare(Text text, const char *key)
{
	size_t keyLength = strlen(key);
	int order = memcmp(text.bytes, key,
	    text.length < keyLength ? text.length : keyLength);

	if (order != 0)
		return order;
	return text.length < keyLength ? -1 : text.length > keyLength;
}

static const WindowsLayout *Find(const WindowsLayout *table, size_t count,
    Text key)
{
	size_t low = 0, high = count;

	while (low < high) {
		size_t middle = low + (high - low) / 2;
		int order = Compare(key, LAYOUT_TEXT + table[middle].key);
		if (order == 0)
			return &table[middle];
		if (order < 0)
			high = middle;
		else
			low = middle + 1;
	}
	return NULL;
}

// The entry for key, else the one for the part of key before the mark.
static const WindowsLayout *FindOrBefore(const WindowsLayout *table,
    size_t count, Text key, char mark)
{
	const WindowsLayout *found = Find(table, count, key);
	const char *at = (const char *)memchr(key.bytes, mark, key.length);

	if (!found && at)
		found = Find(table, count, Text{key.bytes, (size_t)(at - key.bytes)});
	return found;
}

const WindowsLayout *FindLayoutByName(Text name)
{
	return FindOrBefore(LAYOUT_NAMES, LAYOUT_NAME_COUNT, name, '(');
}

const WindowsLayout *FindLayoutAndVariant(Text layout, Text variant)
{
	// Longer than any layout the registry has, with its variant.
	char name[64];

	if (layout.length == 0 || layout.length + variant.length + 2 > sizeof name)
		return NULL;
	if (variant.length == 0)
		return FindLayoutByName(layout);
	memcpy(name, layout.bytes, layout.length);
	name[layout.length] = '(';
	memcpy(name + layout.length + 1, variant.bytes, variant.length);
	name[layout.length + 1 + variant.length] = ')';
	return FindLayoutByName(Text{name, layout.length + variant.length + 2});
}

const WindowsLayout *FindLanguage(Text tag)
{
	return FindOrBefore(LANGUAGES, LANGUAGE_COUNT, tag, '_');
}

// Whether description begins like key: with key, less a closing
// parenthesis, followed by the end or by a space, comma or parenthesis.
static bool BeginsLike(Text description, const char *key)
{
	size_t length = strlen(key);

	if (length > 0 && key[length - 1] == ')')
		length--;
	if (length == 0 || length > description.length ||
	    memcmp(description.bytes, key, length) != 0)
		return false;
	return length == description.length ||
	    memchr(" ,)", description.bytes[length], 3) != NULL;
}

const WindowsLayout *FindLayoutByDescription(Text description)
{
	const WindowsLayout *exact = Find(LAYOUT_DESCRIPTIONS,
	    LAYOUT_DESCRIPTION_COUNT, description);
	const WindowsLayout *longest = NULL;

	if (exact)
		return exact;
	for (size_t i = 0; i < LAYOUT_DESCRIPTION_COUNT; i++) {
		const WindowsLayout *entry = &LAYOUT_DESCRIPTIONS[i];
		const char *key = LAYOUT_TEXT + entry->key;
		if (BeginsLike(description, key) &&
		    (!longest || strlen(key) > strlen(LAYOUT_TEXT + longest->key)))
			longest = entry;
	}
	return longest;
}
