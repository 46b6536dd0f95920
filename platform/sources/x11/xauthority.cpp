#include "xauthority.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>

#include "small_file.h"

// Larger files than this are read only this far.
enum { AUTHORITY_FILE_MAX = 128 * 1024 };

static const char MIT_COOKIE[] = "MIT-MAGIC-COOKIE-1";

static bool TakeNumber(Text *file, uint16_t *number)
{
	if (file->length < 2)
		return false;
	*number = (uint16_t)((unsigned char)file->bytes[0] << 8 | (unsigned char)file->bytes[1]);
	file->bytes += 2;
	file->length -= 2;
	return true;
}

static bool TakeCounted(Text *file, Text *value)
{
	uint16_t length;

	if (!TakeNumber(file, &length) || length > file->length)
		return false;
	*value = Text{file->bytes, length};
	file->bytes += length;
	file->length -= length;
	return true;
}

bool FindXCookie(Text file, uint16_t family, Text address, Text number, XCookie *cookie)
{
	uint16_t entryFamily;
	Text entryAddress, entryNumber, name, data;

	while (TakeNumber(&file, &entryFamily) && TakeCounted(&file, &entryAddress) &&
	    TakeCounted(&file, &entryNumber) && TakeCounted(&file, &name) &&
	    TakeCounted(&file, &data)) {
		bool host = family == X_FAMILY_WILD || entryFamily == X_FAMILY_WILD ||
		    (entryFamily == family && SameText(entryAddress, address));
		bool display = number.length == 0 || entryNumber.length == 0 ||
		    SameText(entryNumber, number);
		if (host && display && TextIs(name, MIT_COOKIE)) {
			*cookie = XCookie{name, data};
			return true;
		}
	}
	return false;
}

bool FindUserXCookie(uint16_t family, Text address, Text number, XCookie *cookie)
{
	static char contents[AUTHORITY_FILE_MAX];
	const char *given = secure_getenv("XAUTHORITY");
	const char *home = secure_getenv("HOME");
	char path[PATH_MAX];

	int length = given && *given ? snprintf(path, sizeof path, "%s", given)
	    : home ? snprintf(path, sizeof path, "%s/.Xauthority", home) : -1;

	if (length < 0 || length >= (int)sizeof path)
		return false;
	return FindXCookie(ReadSmallFile(path, contents, sizeof contents), family, address, number,
	    cookie);
}
