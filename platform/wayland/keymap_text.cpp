#include "keymap_text.h"

#include <string.h>

enum TokenKind { END, WORD, STRING, MARK };

struct Token {
	TokenKind kind;
	Text text; // a string's bytes between its quotes, escapes still in
};

struct Scanner {
	const char *next;
	const char *end;
};

static bool IsWordByte(char c, bool first)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
	    (!first && c >= '0' && c <= '9');
}

static void SkipSpaceAndComments(Scanner *s)
{
	while (s->next < s->end) {
		char c = *s->next;
		bool comment = c == '#' ||
		    (c == '/' && s->end - s->next > 1 && s->next[1] == '/');
		if (comment) {
			while (s->next < s->end && *s->next != '\n')
				s->next++;
		} else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
			s->next++;
		} else {
			return;
		}
	}
}

// A string that the text ends before its closing quote ends the scan.
static Token NextToken(Scanner *s)
{
	SkipSpaceAndComments(s);
	if (s->next >= s->end)
		return Token{END, {s->end, 0}};
	const char *start = s->next;
	if (IsWordByte(*start, true)) {
		while (s->next < s->end && IsWordByte(*s->next, false))
			s->next++;
		return Token{WORD, {start, (size_t)(s->next - start)}};
	}
	s->next++;
	if (*start != '"')
		return Token{MARK, {start, 1}};
	while (s->next < s->end && *s->next != '"')
		s->next += *s->next == '\\' && s->end - s->next > 1 ? 2 : 1;
	if (s->next >= s->end)
		return Token{END, {s->end, 0}};
	s->next++;
	return Token{STRING, {start + 1, (size_t)(s->next - start - 2)}};
}

static char Lower(char c)
{
	return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

// Keywords are not case-sensitive: word is in lowercase.
static bool IsWord(Token token, const char *word)
{
	size_t length = strlen(word);
	if (token.kind != WORD || token.text.length != length)
		return false;
	for (size_t i = 0; i < length; i++)
		if (Lower(token.text.bytes[i]) != word[i])
			return false;
	return true;
}

static bool IsMark(Token token, char mark)
{
	return token.kind == MARK && token.text.bytes[0] == mark;
}

// The group a word "Group1" to "Group4" names, or 0.
static int GroupOf(Token token)
{
	const size_t prefix = sizeof "group" - 1;
	if (token.kind != WORD || token.text.length != prefix + 1)
		return 0;
	Token start = {WORD, {token.text.bytes, prefix}};
	char digit = token.text.bytes[prefix];
	if (!IsWord(start, "group") || digit < '1' || digit > '0' + XKB_MAX_GROUPS)
		return 0;
	return digit - '0';
}

static char Unescaped(char c)
{
	static const char from[] = "ntrbfve", to[] = "\n\t\r\b\f\v\033";
	const char *at = c ? strchr(from, c) : NULL;
	return at ? to[at - from] : c;
}

// Copies a string's bytes with their escapes undone, \" \\ \n and \123
// among them, cut at GROUP_NAME_MAX bytes; returns the length.
static size_t Unescape(Text string, char *out)
{
	size_t length = 0;
	for (size_t i = 0; i < string.length && length < GROUP_NAME_MAX; i++) {
		char c = string.bytes[i];
		if (c == '\\' && i + 1 < string.length) {
			c = string.bytes[++i];
			if (c >= '0' && c <= '7') {
				int value = 0;
				for (int digits = 0; digits < 3 && i < string.length &&
				    string.bytes[i] >= '0' && string.bytes[i] <= '7'; digits++)
					value = value * 8 + (string.bytes[i++] - '0');
				i--;
				c = (char)value;
			} else {
				c = Unescaped(c);
			}
		}
		out[length++] = c;
	}
	return length;
}

// Where a name[GroupN]="..." entry stands in its match: the words and
// marks before the string.
enum { EXPECT_NAME, EXPECT_OPEN, EXPECT_GROUP, EXPECT_CLOSE, EXPECT_EQUALS, EXPECT_STRING };

// Takes one token of the symbols section's own level towards an entry.
static int Advance(int state, Token token, int *group, Text *found)
{
	switch (state) {
	case EXPECT_OPEN:
		if (IsMark(token, '['))
			return EXPECT_GROUP;
		break;
	case EXPECT_GROUP:
		if ((*group = GroupOf(token)) != 0)
			return EXPECT_CLOSE;
		break;
	case EXPECT_CLOSE:
		if (IsMark(token, ']'))
			return EXPECT_EQUALS;
		break;
	case EXPECT_EQUALS:
		if (IsMark(token, '='))
			return EXPECT_STRING;
		break;
	case EXPECT_STRING:
		if (token.kind == STRING) {
			*found = token.text;
			return EXPECT_NAME;
		}
		break;
	}
	return IsWord(token, "name") ? EXPECT_OPEN : EXPECT_NAME;
}

void ScanKeymapText(Text text, KeymapText *keymap)
{
	Scanner scanner = {text.bytes, text.bytes + text.length};
	Text strings[XKB_MAX_GROUPS] = {};
	int depth = 0, symbolsDepth = 0, state = EXPECT_NAME, group = 0;
	bool symbolsNext = false;

	for (Token token = NextToken(&scanner); token.kind != END;
	    token = NextToken(&scanner)) {
		if (IsMark(token, '{')) {
			depth++;
			if (symbolsNext)
				symbolsDepth = depth;
			symbolsNext = false;
			state = EXPECT_NAME;
		} else if (IsMark(token, '}')) {
			if (depth == symbolsDepth)
				symbolsDepth = 0;
			depth -= depth > 0;
			state = EXPECT_NAME;
		} else if (IsWord(token, "xkb_symbols")) {
			symbolsNext = true;
		} else if (symbolsDepth != 0 && depth == symbolsDepth) {
			Text found = {NULL, 0};
			state = Advance(state, token, &group, &found);
			if (found.bytes && !strings[group - 1].bytes)
				strings[group - 1] = found;
		}
	}

	keymap->groups = KeymapGroups{0, {NULL, 0}, {}};
	for (int g = 0; g < XKB_MAX_GROUPS; g++) {
		if (!strings[g].bytes)
			continue;
		int at = keymap->groups.count++;
		size_t length = Unescape(strings[g], keymap->names[at]);
		keymap->groups.names[at] = Text{keymap->names[at], length};
	}
}
