// libFuzzer target: fcitx 4's address file, read for its bus's address
// and the two processes it names.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "fcitx4_address.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	Text file = {(const char *)data, size};
	Fcitx4AddressFile parsed;

	if (ReadFcitx4AddressFile(file, &parsed) && (parsed.address.bytes != file.bytes ||
	    parsed.address.length + 1 + 2 * sizeof(pid_t) != size ||
	    memchr(parsed.address.bytes, '\0', parsed.address.length)))
		abort();
	return 0;
}
