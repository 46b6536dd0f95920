// libFuzzer target: an X authority file, searched for a cookie as for a
// local display and as for any.
#include <stdint.h>
#include <stdlib.h>

#include "xauthority.h"

static void Find(Text file, uint16_t family, Text address, Text number)
{
	XCookie cookie;

	if (!FindXCookie(file, family, address, number, &cookie))
		return;
	if (cookie.name.bytes < file.bytes || cookie.data.bytes < file.bytes ||
	    cookie.name.bytes + cookie.name.length > file.bytes + file.length ||
	    cookie.data.bytes + cookie.data.length > file.bytes + file.length)
		abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	Text file = {(const char *)data, size};

	Find(file, X_FAMILY_LOCAL, TextOf("host"), TextOf("0"));
	Find(file, X_FAMILY_WILD, Text{NULL, 0}, Text{NULL, 0});
	return 0;
}
