#include "keymap_text.h"

#include <stdint.h>
#include <string.h>

// A keymap is mostly keys, types and actions that say nothing of the
// groups' names. The scan jumps from one byte that may matter to the next:
// a brace, which changes the depth, or a quote, '#' or '/', which may begin
// a string or a comment. The words before a brace or a string are read
// backwards from it: "xkb_symbols" or `xkb_symbols "name"` before a brace
// where sections stand opens the symbols section, and `name[Group1]=`
// before a string at that section's own depth names a group.

// Sixteen bytes, compared at once.
typedef unsigned char Block __attribute__((vector_size(16)));

static bool IsWordByte(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
	    (c >= '0' && c <= '9');
}

static bool MayMatter(char c)
{
	return c == '{' || c == '}' || c == '"' || c == '#' || c == '/';
}

// One bit a byte of a block's comparison: whether it holds.
static unsigned HitBits(Block hits)
{
#ifdef __SSE2__
	return (unsigned)__builtin_ia32_pmovmskb128((__attribute__((vector_size(16))) char)hits);
#else
	unsigned bits = 0;
	for (unsigned i = 0; i < sizeof hits; i++)
		bits |= (unsigned)(hits[i] != 0) << i;
	return bits;
#endif
}

// The first byte from at that may matter, or end.
static const char *NextByteThatMayMatter(const char *at, const char *end)
{
	for (; end - at >= (ptrdiff_t)sizeof(Block); at += sizeof(Block)) {
		Block block;
		memcpy(&block, at, sizeof block);
		unsigned bits = HitBits((block == '{') | (block == '}') | (block == '"') |
		    (block == '#') | (block == '/'));
		if (bits)
			return at + __builtin_ctz(bits);
	}
	while (at < end && !MayMatter(*at))
		at++;
	return at;
}

// The closing quote of a string whose bytes begin at from, where a
// backslash keeps the byte after it; NULL where the text ends first.
static const char *ClosingQuote(const char *from, const char *end)
{
	for (const char *at = from; at < end; at++) {
		at = (const char *)memchr(at, '"', (size_t)(end - at));
		if (!at)
			return NULL;
		size_t backslashes = 0;
		while (at - backslashes > from && at[-1 - (ptrdiff_t)backslashes] == '\\')
			backslashes++;
		if (backslashes % 2 == 0)
			return at;
	}
	return NULL;
}

// The text before at, back to start, without the blanks that end it.
static const char *BeforeBlanks(const char *start, const char *at)
{
	while (at > start && IsSpace(at[-1]))
		at--;
	return at;
}

// The word that ends at at, back to start: its letters, digits and '_',
// less the digits it begins with, which are no word's.
static Text WordBefore(const char *start, const char *at)
{
	const char *word = at;

	while (word > start && IsWordByte(word[-1]))
		word--;
	while (word < at && *word >= '0' && *word <= '9')
		word++;
	return Text{word, (size_t)(at - word)};
}

static char Lower(char c)
{
	return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

// Keywords are not case-sensitive: word is in lowercase.
static bool IsKeyword(Text text, const char *word, size_t length)
{
	if (text.length != length)
		return false;
	for (size_t i = 0; i < length; i++)
		if (Lower(text.bytes[i]) != word[i])
			return false;
	return true;
}

// Whether the text before at, back to start, ends with the keyword.
static bool EndsWithKeyword(const char *start, const char *at, const char *word, size_t length)
{
	return IsKeyword(WordBefore(start, BeforeBlanks(start, at)), word, length);
}

// Takes the mark off the end of the text before *at, after blanks.
static bool TakeMark(const char *start, const char **at, char mark)
{
	const char *before = BeforeBlanks(start, *at);

	if (before == start || before[-1] != mark)
		return false;
	*at = before - 1;
	return true;
}

// The group that a `name[GroupN]=` ending the text before at names, back
// to start; 0 for none.
static int NamedGroup(const char *start, const char *at)
{
	static const char GROUP[] = "group", NAME[] = "name";

	if (!TakeMark(start, &at, '=') || !TakeMark(start, &at, ']'))
		return 0;
	// "Group1": the keyword and one digit.
	Text word = WordBefore(start, BeforeBlanks(start, at));
	if (word.length != sizeof GROUP)
		return 0;
	char digit = word.bytes[sizeof GROUP - 1];
	if (!IsKeyword(Text{word.bytes, sizeof GROUP - 1}, GROUP, sizeof GROUP - 1) ||
	    digit < '1' || digit > '0' + XKB_MAX_GROUPS)
		return 0;
	at = word.bytes;
	if (!TakeMark(start, &at, '[') || !EndsWithKeyword(start, at, NAME, sizeof NAME - 1))
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

// Where the scan is: the depth of braces, the symbols section's depth (0
// outside it), where the text since the last string, comment or brace
// begins, and whether that last was a string that followed the word
// xkb_symbols.
struct Scan {
	int depth;
	int symbolsDepth;
	const char *plain;
	bool symbolsNamed;
	Text strings[XKB_MAX_GROUPS];
};

// Sections stand at the top, or in xkb_keymap's braces.
static bool AtSectionDepth(const Scan *scan)
{
	return scan->depth <= 1;
}

static bool EndsWithSymbols(const Scan *scan, const char *at)
{
	static const char SYMBOLS[] = "xkb_symbols";

	return AtSectionDepth(scan) &&
	    EndsWithKeyword(scan->plain, at, SYMBOLS, sizeof SYMBOLS - 1);
}

static void OpenBrace(Scan *scan, const char *at)
{
	bool symbols = EndsWithSymbols(scan, at) ||
	    (scan->symbolsNamed && BeforeBlanks(scan->plain, at) == scan->plain);

	scan->depth++;
	if (symbols)
		scan->symbolsDepth = scan->depth;
}

static void CloseBrace(Scan *scan)
{
	if (scan->depth == scan->symbolsDepth)
		scan->symbolsDepth = 0;
	scan->depth -= scan->depth > 0;
}

// Reads the string whose opening quote is at; returns where the scan goes
// on, NULL where the string does not end.
static const char *ReadString(Scan *scan, const char *at, const char *end)
{
	const char *close = ClosingQuote(at + 1, end);

	if (!close)
		return NULL;
	if (scan->symbolsDepth != 0 && scan->depth == scan->symbolsDepth) {
		int group = NamedGroup(scan->plain, at);
		if (group != 0 && !scan->strings[group - 1].bytes)
			scan->strings[group - 1] = Text{at + 1, (size_t)(close - at - 1)};
	}
	scan->symbolsNamed = EndsWithSymbols(scan, at);
	return close + 1;
}

void ScanKeymapText(Text text, KeymapText *keymap)
{
	const char *at = text.bytes, *end = text.bytes + text.length;
	Scan scan = {0, 0, at, false, {}};

	while ((at = NextByteThatMayMatter(at, end)) < end) {
		bool string = *at == '"';
		if (*at == '/' && (end - at < 2 || at[1] != '/')) {
			at++;
			continue;
		}
		if (*at == '{')
			OpenBrace(&scan, at);
		else if (*at == '}')
			CloseBrace(&scan);
		if (string)
			at = ReadString(&scan, at, end);
		else if (*at == '#' || *at == '/')
			at = (const char *)memchr(at, '\n', (size_t)(end - at));
		else
			at++;
		if (!at)
			break;
		scan.symbolsNamed = scan.symbolsNamed && string;
		scan.plain = at;
	}

	keymap->groups = KeymapGroups{0, {NULL, 0}, {}};
	for (int g = 0; g < XKB_MAX_GROUPS; g++) {
		if (!scan.strings[g].bytes)
			continue;
		int n = keymap->groups.count++;
		size_t length = Unescape(scan.strings[g], keymap->names[n]);
		keymap->groups.names[n] = Text{keymap->names[n], length};
	}
}
