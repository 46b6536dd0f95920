// libFuzzer target: IBus's address file, read for the process it names.
#include <stdint.h>
#include <stdlib.h>

#include "ibus_address.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	if (IbusAddressPid(Text{(const char *)data, size}) < 0)
		abort();
	return 0;
}
