#include "x11_query.h"

#include <stdlib.h>
#include <string.h>
#include <sys/uio.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
// xkb.h names a field "explicit", a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include "deadline.h"
#include "keymap_groups.h"
#include "names_reply.h"

// A reply and its size as the server framed it; xcb reads exactly that
// many bytes.
struct Reply {
	void *data;
	size_t size;
};

// The reply to a request, or none if the server sends an error, fails, or
// lets the deadline pass.
static Reply WaitForReply(xcb_connection_t *connection, unsigned sequence)
{
	xcb_generic_error_t *error = NULL;
	void *data = NULL;

	xcb_flush(connection);
	while (!xcb_poll_for_reply(connection, sequence, &data, &error))
		if (!WaitReadable(xcb_get_file_descriptor(connection)))
			return Reply{NULL, 0};
	free(error);
	if (!data)
		return Reply{NULL, 0};
	return Reply{data, 32 + 4 * (size_t)((xcb_generic_reply_t *)data)->length};
}

enum {
	XKB_USE_EXTENSION = 0,
	XKB_GET_CONTROLS = 6,
	XKB_GET_NAMES = 17,
};

// Sends an XKB request: its bytes after the opcodes and the length, which
// xcb fills in. Written here rather than taken from libxcb-xkb, whose one
// object file would double the program's size.
static unsigned SendXkb(xcb_connection_t *connection, uint8_t major,
    uint8_t minor, const void *body, size_t size)
{
	uint8_t request[12] = {0, minor};
	struct iovec parts[3];

	memcpy(request + 4, body, size);
	parts[2].iov_base = request;
	parts[2].iov_len = 4 + size;
	xcb_protocol_request_t protocol = {1, NULL, major, 0};
	return xcb_send_request(connection, XCB_REQUEST_CHECKED, parts + 2, &protocol);
}

// The XKB extension's opcode, or 0 where the server lacks it.
static uint8_t XkbOpcode(xcb_connection_t *connection)
{
	static const char name[] = "XKEYBOARD";
	unsigned query = xcb_query_extension(connection, sizeof name - 1, name).sequence;
	Reply reply = WaitForReply(connection, query);
	uint8_t opcode = 0;

	if (reply.size >= sizeof(xcb_query_extension_reply_t) &&
	    ((xcb_query_extension_reply_t *)reply.data)->present)
		opcode = ((xcb_query_extension_reply_t *)reply.data)->major_opcode;
	free(reply.data);
	return opcode;
}

// The keyboard's atoms and its number of groups. UseExtension, GetNames
// and GetControls travel together: one round trip once the extension's
// opcode is known.
static bool ReadKeyboard(xcb_connection_t *connection, xcb_atom_t *symbols,
    xcb_atom_t groups[XKB_MAX_GROUPS], int *groupCount)
{
	uint8_t opcode = XkbOpcode(connection);
	if (opcode == 0)
		return false;

	const struct { uint16_t major, minor; } version = {
		XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION,
	};
	const struct { uint16_t deviceSpec, pad; } keyboard = {XCB_XKB_ID_USE_CORE_KBD, 0};
	const struct { uint16_t deviceSpec, pad; uint32_t which; } names = {
		XCB_XKB_ID_USE_CORE_KBD, 0,
		XCB_XKB_NAME_DETAIL_SYMBOLS | XCB_XKB_NAME_DETAIL_GROUP_NAMES,
	};
	unsigned use = SendXkb(connection, opcode, XKB_USE_EXTENSION,
	    &version, sizeof version);
	unsigned named = SendXkb(connection, opcode, XKB_GET_NAMES, &names, sizeof names);
	unsigned controlled = SendXkb(connection, opcode, XKB_GET_CONTROLS,
	    &keyboard, sizeof keyboard);
	Reply useReply = WaitForReply(connection, use);
	Reply namesReply = WaitForReply(connection, named);
	Reply controlsReply = WaitForReply(connection, controlled);

	bool read = useReply.size >= sizeof(xcb_xkb_use_extension_reply_t) &&
	    ((xcb_xkb_use_extension_reply_t *)useReply.data)->supported &&
	    ReadNamesReply(namesReply.data, namesReply.size, symbols, groups) &&
	    controlsReply.size >= sizeof(xcb_xkb_get_controls_reply_t);
	if (read)
		*groupCount = ((xcb_xkb_get_controls_reply_t *)controlsReply.data)->numGroups;
	free(useReply.data);
	free(namesReply.data);
	free(controlsReply.data);
	return read;
}

// Sends GetAtomName for each atom that is not None, all at once.
static void RequestAtomNames(xcb_connection_t *connection, const xcb_atom_t *atoms,
    unsigned *sequences, int count)
{
	for (int i = 0; i < count; i++)
		if (atoms[i] != XCB_ATOM_NONE)
			sequences[i] = xcb_get_atom_name(connection, atoms[i]).sequence;
}

// The name of the atom asked for, empty for None; the reply stays in
// *reply for the caller to free. False for a reply that fails or is
// shorter than the name it claims.
static bool AtomName(xcb_connection_t *connection, xcb_atom_t atom,
    unsigned sequence, Reply *reply, Text *name)
{
	*reply = Reply{NULL, 0};
	*name = Text{NULL, 0};
	if (atom == XCB_ATOM_NONE)
		return true;
	*reply = WaitForReply(connection, sequence);
	if (reply->size < sizeof(xcb_get_atom_name_reply_t))
		return false;
	const xcb_get_atom_name_reply_t *named =
	    (const xcb_get_atom_name_reply_t *)reply->data;
	if (named->name_len > reply->size - sizeof *named)
		return false;
	*name = Text{(const char *)(named + 1), named->name_len};
	return true;
}

static int QueryServer(xcb_connection_t *connection, int capacity,
    uint32_t *hklList)
{
	// The symbols name's atom first, then each group's.
	xcb_atom_t atoms[1 + XKB_MAX_GROUPS];
	unsigned sequences[1 + XKB_MAX_GROUPS];
	Reply replies[1 + XKB_MAX_GROUPS] = {};
	Text names[1 + XKB_MAX_GROUPS];
	KeymapGroups keymap;

	if (!ReadKeyboard(connection, &atoms[0], &atoms[1], &keymap.count))
		return 0;
	RequestAtomNames(connection, atoms, sequences, 1 + XKB_MAX_GROUPS);
	bool named = true;
	for (int i = 0; named && i < 1 + XKB_MAX_GROUPS; i++)
		named = AtomName(connection, atoms[i], sequences[i], &replies[i], &names[i]);

	int count = 0;
	if (named) {
		keymap.symbols = names[0];
		for (int g = 0; g < XKB_MAX_GROUPS; g++)
			keymap.names[g] = names[1 + g];
		count = GroupIdentifiers(&keymap, capacity, hklList);
	}
	for (Reply &reply : replies)
		free(reply.data);
	return count;
}

int QueryXLayouts(int capacity, uint32_t *hklList)
{
	xcb_connection_t *connection = xcb_connect(NULL, NULL);
	int count = 0;

	if (!xcb_connection_has_error(connection))
		count = QueryServer(connection, capacity, hklList);
	xcb_disconnect(connection);
	return count;
}
