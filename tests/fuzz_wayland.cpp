// libFuzzer target: what a Wayland compositor sends the program, read from
// a socket: the input's first two bytes are the size of the keymap that
// comes next, in a file that travels with the events after it.
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include "deadline.h"
#include "fuzz_stream.h"
#include "query.h"
#include "symbols_name.h"
#include "wayland_query.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	static WireConnection connection;
	size_t keymapSize = 0, header = size < 2 ? size : 2;
	int server;

	if (size >= 2) {
		keymapSize = (size_t)(data[0] | data[1] << 8);
		keymapSize = keymapSize < size - 2 ? keymapSize : size - 2;
	}
	int keymap = memfd_create("keymap", MFD_CLOEXEC);
	if (keymap < 0 || write(keymap, data + header, keymapSize) < 0)
		abort();
	int fd = ServerSent(data + header + keymapSize, size - header - keymapSize, keymap, &server);
	close(keymap);
	if (fd < 0)
		abort();
	Query query;
	if (!StartQuery(&query, false))
		abort();
	SpeakWire(&connection, &query, fd);
	FoundLayouts found = {0, NO_ACTIVE, {}};
	QueryCompositor(&connection, &found);
	CloseWayland(&connection);
	EndQuery(&query);
	close(server);
	if (found.count < 0 || found.count > XKB_MAX_GROUPS)
		abort();
	return 0;
}
