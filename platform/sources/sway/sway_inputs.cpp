#include "sway_inputs.h"

#include <string.h>

// The JSON is read as far as the answer needs, every value checked as it
// is passed over; nesting deeper than this is refused.
enum { DEPTH_MAX = 32, INDEX_MAX = 0xFFFF };

struct Json {
	const char *at;
	const char *end;
};

static bool IsOneOf(char c, const char *set)
{
	return c != '\0' && strchr(set, c);
}

// The next byte after blanks, which it skips; NUL at the end.
static char Next(Json *json)
{
	while (json->at < json->end && IsSpace(*json->at))
		json->at++;
	return json->at < json->end ? *json->at : '\0';
}

// Takes the next byte after blanks where it is c.
static bool Take(Json *json, char c)
{
	if (Next(json) != c)
		return false;
	json->at++;
	return true;
}

// A string's bytes between its quotes, escapes left as they are.
static bool ReadString(Json *json, Text *text)
{
	if (!Take(json, '"'))
		return false;
	const char *start = json->at;
	for (; json->at < json->end && *json->at != '"'; json->at++)
		if (*json->at == '\\' && ++json->at == json->end)
			return false;
	if (json->at == json->end)
		return false;
	*text = Text{start, (size_t)(json->at++ - start)};
	return true;
}

// A number, or true, false or null: the bytes they may be made of.
static bool SkipScalar(Json *json)
{
	const char *start = json->at;

	while (json->at < json->end && IsOneOf(*json->at, "+-.0123456789Eeabcdfilnrstu"))
		json->at++;
	return json->at > start;
}

static bool SkipValue(Json *json, int depth);

// The members of an object or the elements of an array, after its
// opening bracket, up to its closing one; counts them.
static bool SkipItems(Json *json, char close, int depth, int *count)
{
	Text key;

	*count = 0;
	if (Take(json, close))
		return true;
	do {
		if (close == '}' && (!ReadString(json, &key) || !Take(json, ':')))
			return false;
		if (!SkipValue(json, depth))
			return false;
		++*count;
	} while (Take(json, ','));
	return Take(json, close);
}

static bool SkipValue(Json *json, int depth)
{
	Text text;
	int count;
	char next = Next(json);

	if (next == '"')
		return ReadString(json, &text);
	if ((next == '[' || next == '{') && depth < DEPTH_MAX) {
		json->at++;
		return SkipItems(json, next == '[' ? ']' : '}', depth + 1, &count);
	}
	return SkipScalar(json);
}

// A number that begins with a digit; *index becomes it where it is whole
// and at most INDEX_MAX, else -1.
static bool ReadIndex(Json *json, int *index)
{
	long value = 0;

	for (; json->at < json->end && IsOneOf(*json->at, "0123456789"); json->at++)
		if (value <= INDEX_MAX)
			value = value * 10 + (*json->at - '0');
	*index = value <= INDEX_MAX ? (int)value : -1;
	if (SkipScalar(json))
		*index = -1;
	return true;
}

// What a device says of its keyboard layouts.
struct Device {
	bool keyboard;
	int layouts;
	int active;
};

static bool ReadMember(Json *json, Device *device)
{
	Text key, value;

	if (!ReadString(json, &key) || !Take(json, ':'))
		return false;
	char next = Next(json);
	if (TextIs(key, "type") && next == '"') {
		bool read = ReadString(json, &value);
		device->keyboard = read && TextIs(value, "keyboard");
		return read;
	}
	if (TextIs(key, "xkb_layout_names") && Take(json, '['))
		return SkipItems(json, ']', 3, &device->layouts);
	if (TextIs(key, "xkb_active_layout_index") && IsOneOf(next, "0123456789"))
		return ReadIndex(json, &device->active);
	return SkipValue(json, 2);
}

static bool ReadDevice(Json *json, Device *device)
{
	*device = Device{false, 0, -1};
	if (!Take(json, '{'))
		return false;
	if (Take(json, '}'))
		return true;
	do {
		if (!ReadMember(json, device))
			return false;
	} while (Take(json, ','));
	return Take(json, '}');
}

int ActiveLayoutIndex(Text inputs)
{
	Json json = {inputs.bytes, inputs.bytes + inputs.length};
	Device device;

	if (!inputs.bytes || !Take(&json, '[') || Take(&json, ']'))
		return -1;
	do {
		if (!ReadDevice(&json, &device))
			return -1;
		if (device.keyboard && device.layouts > 0)
			return device.active < device.layouts ? device.active : -1;
	} while (Take(&json, ','));
	return -1;
}
