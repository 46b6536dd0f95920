// libFuzzer target: any list of input devices sway's IPC may send.
#include <stdint.h>
#include <stdlib.h>

#include "sway_inputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	int index = ActiveLayoutIndex(Text{(const char *)data, size});
	if (index < -1 || index > 0xFFFF)
		abort();
	return 0;
}
