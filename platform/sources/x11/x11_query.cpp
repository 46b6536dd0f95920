#include "x11_query.h"

#include <string.h>

#include "keymap_groups.h"
#include "names_reply.h"
#include "x_connect.h"
#include "x_protocol.h"

// The atom names kept: the symbols name's and each group's.
enum { NAMES_MAX = 8 * 1024 };

struct AtomNames {
	char bytes[NAMES_MAX];
	size_t used;
};

// The XKB extension's opcode, or 0 where the server lacks it.
static uint8_t XkbOpcode(XConnection *connection)
{
	static const char XKEYBOARD[] = "XKEYBOARD";
	struct {
		uint8_t opcode, unused;
		uint16_t length, nameLength, pad;
		char name[sizeof XKEYBOARD - 1];
	} query;
	Text reply;

	// The struct's padding travels too: none of its bytes is left unset.
	memset(&query, 0, sizeof query);
	query.opcode = X_QUERY_EXTENSION;
	query.nameLength = sizeof XKEYBOARD - 1;
	memcpy(query.name, XKEYBOARD, sizeof query.name);
	unsigned sequence = QueueXRequest(connection, &query, sizeof query);
	if (!sequence || !FlushX(connection) || !AwaitXReply(connection, sequence, &reply))
		return 0;
	// present, then major_opcode
	return reply.bytes[8] ? (uint8_t)reply.bytes[9] : 0;
}

// Queues an XKB request: its minor opcode and its body after the length.
static unsigned QueueXkb(XConnection *connection, uint8_t major, uint8_t minor,
    const void *body, size_t size)
{
	uint8_t request[12] = {major, minor};

	memcpy(request + 4, body, size);
	return QueueXRequest(connection, request, 4 + size);
}

// The keyboard's atoms and its number of groups, and where group is
// given, the group in use. UseExtension, GetNames, GetControls and
// GetState travel together: one round trip once the extension's opcode is
// known.
static bool ReadKeyboard(XConnection *connection, XAtom *symbols,
    XAtom groups[XKB_MAX_GROUPS], int *groupCount, int *group)
{
	enum { SUPPORTED = 1, NUM_GROUPS = 9, EFFECTIVE_GROUP = 12 };
	uint8_t opcode = XkbOpcode(connection);
	if (opcode == 0)
		return false;

	const struct { uint16_t major, minor; } version = {XKB_MAJOR_VERSION, XKB_MINOR_VERSION};
	const struct { uint16_t deviceSpec, pad; } keyboard = {XKB_USE_CORE_KEYBOARD, 0};
	const struct { uint16_t deviceSpec, pad; uint32_t which; } names = {
		XKB_USE_CORE_KEYBOARD, 0, XKB_NAME_SYMBOLS | XKB_NAME_GROUP_NAMES,
	};
	unsigned use = QueueXkb(connection, opcode, XKB_USE_EXTENSION, &version, sizeof version);
	unsigned named = QueueXkb(connection, opcode, XKB_GET_NAMES, &names, sizeof names);
	unsigned controlled = QueueXkb(connection, opcode, XKB_GET_CONTROLS,
	    &keyboard, sizeof keyboard);
	unsigned stated = group ? QueueXkb(connection, opcode, XKB_GET_STATE,
	    &keyboard, sizeof keyboard) : 0;
	Text reply;

	if (!FlushX(connection) || !AwaitXReply(connection, use, &reply) || !reply.bytes[SUPPORTED] ||
	    !AwaitXReply(connection, named, &reply) ||
	    !ReadNamesReply(reply.bytes, reply.length, symbols, groups) ||
	    !AwaitXReply(connection, controlled, &reply))
		return false;
	*groupCount = (uint8_t)reply.bytes[NUM_GROUPS];
	if (group)
		*group = stated && AwaitXReply(connection, stated, &reply)
		    ? (uint8_t)reply.bytes[EFFECTIVE_GROUP] : NO_ACTIVE;
	return true;
}

// Sends GetAtomName for each atom that is not None, all at once; false
// where they do not fit.
static bool RequestAtomNames(XConnection *connection, const XAtom *atoms,
    unsigned *sequences, int count)
{
	for (int i = 0; i < count; i++) {
		const struct { uint8_t opcode, unused; uint16_t length; uint32_t atom; } request = {
			X_GET_ATOM_NAME, 0, 0, atoms[i],
		};
		sequences[i] = atoms[i] == X_ATOM_NONE ? 0 : QueueXRequest(connection, &request,
		    sizeof request);
		if (atoms[i] != X_ATOM_NONE && sequences[i] == 0)
			return false;
	}
	return FlushX(connection);
}

// The name of the atom asked for, kept in names; empty for None. False
// for a reply that fails or is shorter than the name it claims.
static bool AtomName(XConnection *connection, unsigned sequence, AtomNames *names, Text *name)
{
	enum { NAME_LENGTH = 8 };
	uint16_t length;
	Text reply;

	*name = Text{NULL, 0};
	if (sequence == 0)
		return true;
	if (!AwaitXReply(connection, sequence, &reply))
		return false;
	memcpy(&length, reply.bytes + NAME_LENGTH, sizeof length);
	if (length > reply.length - X_MESSAGE_HEADER || length > NAMES_MAX - names->used)
		return false;
	memcpy(names->bytes + names->used, reply.bytes + X_MESSAGE_HEADER, length);
	*name = Text{names->bytes + names->used, length};
	names->used += length;
	return true;
}

bool QueryXServer(XConnection *connection, FoundLayouts *found)
{
	// The symbols name's atom first, then each group's.
	XAtom atoms[1 + XKB_MAX_GROUPS];
	unsigned sequences[1 + XKB_MAX_GROUPS];
	Text names[1 + XKB_MAX_GROUPS];
	static AtomNames kept;
	KeymapGroups keymap;
	int group = NO_ACTIVE;

	kept.used = 0;
	if (!ReadKeyboard(connection, &atoms[0], &atoms[1], &keymap.count,
	    connection->query->asksActive ? &group : NULL) ||
	    !RequestAtomNames(connection, atoms, sequences, 1 + XKB_MAX_GROUPS))
		return false;
	for (int i = 0; i < 1 + XKB_MAX_GROUPS; i++)
		if (!AtomName(connection, sequences[i], &kept, &names[i]))
			return false;
	keymap.symbols = names[0];
	for (int g = 0; g < XKB_MAX_GROUPS; g++)
		keymap.names[g] = names[1 + g];
	GroupLayouts(&keymap, found);
	// The group is the layout's position in the keymap.
	found->active = group < found->count ? group : NO_ACTIVE;
	return true;
}

bool QueryXLayouts(Query *query, FoundLayouts *found)
{
	static XConnection connection;

	if (!ConnectX(query, &connection))
		return false;
	bool answered = QueryXServer(&connection, found);
	CloseX(&connection);
	return answered;
}
