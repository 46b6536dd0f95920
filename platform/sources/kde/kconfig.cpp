#include "kconfig.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <strings.h>

#include "small_file.h"
#include "user_directory.h"

// Longer files than this are read only this far; longer group names and
// keys than NAME_MAX_LENGTH are none asked for.
enum { KCONFIG_FILE_MAX = 64 * 1024, NAME_MAX_LENGTH = 128 };

static int HexValue(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

// The byte that \xNN names; KConfig reads a malformed one as 'x'.
static char HexByte(const char *digits)
{
	int high = HexValue(digits[0]), low = HexValue(digits[1]);
	return high < 0 || low < 0 ? 'x' : (char)(high << 4 | low);
}

// Writes text into out, at most size bytes, with KConfig's escapes undone:
// \s \t \n \r \\ and \xNN. Others (\, and \; among them) stay as they are,
// and a backslash that ends the text stays too. Returns the length, or
// size + 1 where the text does not fit.
static size_t Unescape(Text text, char *out, size_t size)
{
	static const char from[] = "stnr\\", to[] = " \t\n\r\\";
	size_t length = 0;

	for (size_t i = 0; i < text.length; i++) {
		char c = text.bytes[i];
		const char *escape = i + 1 < text.length && c == '\\'
		    ? (const char *)memchr(from, text.bytes[i + 1], sizeof from - 1) : NULL;
		if (escape) {
			c = to[escape - from];
			i++;
		} else if (c == '\\' && i + 1 < text.length && text.bytes[i + 1] == 'x') {
			// With fewer than two digits after it, "\x" is an 'x' that
			// ends the text.
			bool whole = i + 3 < text.length;
			c = whole ? HexByte(text.bytes + i + 2) : 'x';
			i = whole ? i + 3 : text.length;
		}
		if (length == size)
			return size + 1;
		out[length++] = c;
	}
	return length;
}

// A short name (group or key) with its escapes undone.
struct Name {
	char bytes[NAME_MAX_LENGTH];
	size_t length;
};

static bool Is(const Name *name, const char *wanted)
{
	return name->length <= sizeof name->bytes && TextIs(Text{name->bytes, name->length}, wanted);
}

// Reads a group header, "[Layout]", "[Layout][$i]" or "[$i]" alone, which
// locks the whole file. KConfig joins the names of nested groups
// ("[A][B]") with 0x1D and skips a header that does not close. False for
// such a header; else *group is its group, and *locked whether it locks
// the group or the file.
static bool ReadHeader(Text line, Name *group, bool *locked, bool *fileLocked)
{
	size_t start = 1, end;
	Name name = {{}, 0};

	*locked = false;
	do {
		end = start;
		while (end < line.length && line.bytes[end] != ']')
			end++;
		if (end == line.length)
			return false;
		Text part = {line.bytes + start, end - start};
		if (end + 1 == line.length && TextIs(part, "$i")) {
			*locked = true;
			*fileLocked = *fileLocked || name.length == 0;
		} else {
			if (name.length > 0 && name.length < sizeof name.bytes)
				name.bytes[name.length++] = '\x1d';
			if (name.length < sizeof name.bytes)
				name.length += Unescape(part, name.bytes + name.length,
				    sizeof name.bytes - name.length);
			else
				name.length = sizeof name.bytes + 1;
		}
		start = end + 2;
	} while (start <= line.length && line.bytes[end + 1] == '[');
	*group = name;
	return true;
}

// An assignment of a file: "Key=value", "Key[$i]=value" that locks it, or
// "Key[$d]" that takes it back.
struct Assignment {
	Name key;
	Text value;
	bool lock;
	bool deleted;
};

// Reads an assignment; false for a line that assigns nothing KConfig
// would read here: no key, no '=', a bracket that does not close, or a
// translation ("Key[de]=").
static bool ReadAssignment(Text line, Assignment *assignment)
{
	Text value;
	Text key = Trimmed(SplitAt(line, '=', &value));
	bool translated = false;

	assignment->lock = assignment->deleted = false;
	if (key.length == 0)
		return false;
	for (const char *open; (open = (const char *)memrchr(key.bytes, '[', key.length));) {
		size_t at = (size_t)(open - key.bytes);
		const char *close = (const char *)memchr(open, ']', key.length - at);
		if (!close)
			return false;
		Text inside = {open + 1, (size_t)(close - open - 1)};
		if (inside.length > 0 && inside.bytes[0] == '$') {
			assignment->lock |= memchr(inside.bytes, 'i', inside.length) != NULL;
			assignment->deleted |= memchr(inside.bytes, 'd', inside.length) != NULL;
		} else {
			translated = true;
		}
		key.length = at;
	}
	if (translated || (!value.bytes && !assignment->deleted))
		return false;
	assignment->key.length = Unescape(key, assignment->key.bytes, sizeof assignment->key.bytes);
	assignment->value = Trimmed(value);
	return true;
}

static void Assign(KConfigValue *found, const Assignment *assignment)
{
	ConfigValue *value = &found->value;

	found->found = !assignment->deleted;
	value->length = 0;
	if (found->found) {
		size_t length = Unescape(assignment->value, value->bytes, sizeof value->bytes);
		found->found = length <= sizeof value->bytes;
		value->length = found->found ? length : 0;
	}
}

bool ApplyKConfigFile(Text file, const char *group, const char *const keys[],
    KConfigValue values[], int count)
{
	// What this file locks holds from the next file on.
	bool locking[KCONFIG_KEYS_MAX] = {};
	bool inGroup = false, groupLocked = false, fileLocked = false;
	Name header;
	Assignment assignment;

	if (count > KCONFIG_KEYS_MAX)
		count = KCONFIG_KEYS_MAX;
	while (file.length > 0) {
		Text line = Trimmed(SplitAt(file, '\n', &file));
		if (line.length == 0 || line.bytes[0] == '#')
			continue;
		if (line.bytes[0] == '[') {
			if (!ReadHeader(line, &header, &groupLocked, &fileLocked))
				continue;
			inGroup = Is(&header, group);
			for (int i = 0; i < count; i++)
				locking[i] = locking[i] || (inGroup && groupLocked);
			continue;
		}
		if (!inGroup || !ReadAssignment(line, &assignment))
			continue;
		for (int i = 0; i < count; i++) {
			if (values[i].locked || !Is(&assignment.key, keys[i]))
				continue;
			Assign(&values[i], &assignment);
			locking[i] = locking[i] || assignment.lock;
		}
	}
	for (int i = 0; i < count; i++)
		values[i].locked = values[i].locked || locking[i] || fileLocked;
	return !fileLocked;
}

// Reads the file name in directory into the values, where there is one;
// false where it locks itself whole.
static bool ApplyFile(Text directory, const char *name, const char *group,
    const char *const keys[], KConfigValue values[], int count)
{
	static char contents[KCONFIG_FILE_MAX];
	char path[PATH_MAX];

	if (directory.length == 0 || directory.bytes[0] != '/')
		return true;
	int length = snprintf(path, sizeof path, "%.*s/%s", (int)directory.length,
	    directory.bytes, name);
	if (length < 0 || length >= (int)sizeof path)
		return true;
	Text file = ReadSmallFile(path, contents, sizeof contents);
	// A file read only so far ends at its last whole line.
	if (file.length == sizeof contents) {
		const char *end = (const char *)memrchr(file.bytes, '\n', file.length);
		file.length = end ? (size_t)(end - file.bytes) : 0;
	}
	return ApplyKConfigFile(file, group, keys, values, count);
}

void ReadKConfig(const char *name, const char *group, const char *const keys[],
    KConfigValue values[], int count)
{
	char home[PATH_MAX];
	const char *dirs = secure_getenv("XDG_CONFIG_DIRS");
	Text list = dirs && *dirs ? TextOf(dirs) : TextOf("/etc/xdg");

	for (int i = 0; i < count; i++) {
		values[i].found = values[i].locked = false;
		values[i].value.length = 0;
	}
	// The first directory counts most: the last is read first.
	while (list.length > 0) {
		const char *colon = (const char *)memrchr(list.bytes, ':', list.length);
		size_t at = colon ? (size_t)(colon + 1 - list.bytes) : 0;
		Text directory = {list.bytes + at, list.length - at};
		list.length = colon ? at - 1 : 0;
		if (!ApplyFile(directory, name, group, keys, values, count))
			return;
	}
	ApplyFile(UserDirectory("XDG_CONFIG_HOME", ".config", home, sizeof home), name,
	    group, keys, values, count);
}

bool KConfigTrue(const KConfigValue *value, bool fallback)
{
	static const char *const FALSE_WORDS[] = {"false", "no", "off", "0"};

	if (!value->found || value->value.length == 0)
		return fallback;
	for (const char *word : FALSE_WORDS)
		if (value->value.length == strlen(word) &&
		    strncasecmp(value->value.bytes, word, value->value.length) == 0)
			return false;
	return true;
}

int SplitKConfigList(ConfigValue *value, Text items[], int max)
{
	char *bytes = value->bytes;
	size_t length = value->length, start = 0, end = 0;
	int count = 0;

	if (length == 0 || max <= 0)
		return 0;
	if (TextIs(TextOf(value), "\\0")) {
		items[0] = Text{bytes, 0};
		return 1;
	}
	// Each item is written over the bytes it was read from.
	for (size_t i = 0; i < length && count < max; i++) {
		char c = bytes[i];
		if (c == ',') {
			items[count++] = Text{bytes + start, end - start};
			start = end;
			continue;
		}
		if (c == '\\' && ++i == length)
			break;
		bytes[end++] = bytes[i];
	}
	if (count < max)
		items[count++] = Text{bytes + start, end - start};
	return count;
}
