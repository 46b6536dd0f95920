#ifndef KBLAYOUTS_TEXT_H
#define KBLAYOUTS_TEXT_H

#include <stddef.h>
#include <string.h>

// Bytes a display server sent: not NUL-terminated, of any value. An empty
// text has length 0.
struct Text {
	const char *bytes;
	size_t length;
};

static inline Text TextOf(const char *string)
{
	return Text{string, strlen(string)};
}

// Whether two texts hold the same bytes.
static inline bool SameText(Text a, Text b)
{
	return a.length == b.length && (a.length == 0 || memcmp(a.bytes, b.bytes, a.length) == 0);
}

static inline bool TextIs(Text text, const char *word)
{
	return SameText(text, TextOf(word));
}

// The part of text before the first mark, all of it where it has none;
// *rest becomes what follows that mark, empty where there is none.
static inline Text SplitAt(Text text, char mark, Text *rest)
{
	const char *at = text.length ? (const char *)memchr(text.bytes, mark, text.length) : NULL;

	if (!at) {
		*rest = Text{NULL, 0};
		return text;
	}
	*rest = Text{at + 1, text.length - (size_t)(at + 1 - text.bytes)};
	return Text{text.bytes, (size_t)(at - text.bytes)};
}

static inline bool IsSpace(char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Text without the spaces, tabs and line ends around it.
static inline Text Trimmed(Text text)
{
	while (text.length > 0 && IsSpace(text.bytes[0])) {
		text.bytes++;
		text.length--;
	}
	while (text.length > 0 && IsSpace(text.bytes[text.length - 1]))
		text.length--;
	return text;
}

// Whether text begins with prefix; *rest becomes what follows it.
static inline bool StartsWith(Text text, const char *prefix, Text *rest)
{
	size_t length = strlen(prefix);

	if (text.length < length || memcmp(text.bytes, prefix, length) != 0)
		return false;
	*rest = Text{text.bytes + length, text.length - length};
	return true;
}

#endif
