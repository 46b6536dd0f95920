// libFuzzer target: what an X server sends the program, read from a
// socket: its set-up's reply, then the replies, errors and events; and
// the same bytes as an XKB GetNames reply on their own.
#include <stdint.h>
#include <stdlib.h>
#include <unistd.h>

#include "deadline.h"
#include "fuzz_stream.h"
#include "names_reply.h"
#include "query.h"
#include "x11_query.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	static XConnection connection;
	XAtom symbols, groups[XKB_MAX_GROUPS];
	XCookie none = {{NULL, 0}, {NULL, 0}};

	int server;

	ReadNamesReply(data, size, &symbols, groups);
	int fd = ServerSent(data, size, -1, &server);
	if (fd < 0)
		abort();
	// The group in use is asked too, as a library asks it.
	Query query;
	if (!StartQuery(&query, true))
		abort();
	FoundLayouts found = {0, NO_ACTIVE, {}};
	if (SetUpX(&connection, &query, fd, &none))
		QueryXServer(&connection, &found);
	close(fd);
	EndQuery(&query);
	close(server);
	if (found.count < 0 || found.count > XKB_MAX_GROUPS || found.active < NO_ACTIVE ||
	    found.active >= XKB_MAX_GROUPS)
		abort();
	return 0;
}
