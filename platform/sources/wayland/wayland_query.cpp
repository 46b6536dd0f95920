#include "wayland_query.h"

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "keymap_text.h"
#include "wayland_wire.h"

// Far more than any keymap needs (a full one is about 64 KiB).
enum { KEYMAP_MAX_SIZE = 16 << 20 };

// The objects the program makes, by the IDs it gives them, the display
// being 1.
enum { DISPLAY = 1, REGISTRY, GLOBALS_DONE, SEAT, KEYBOARD, SEAT_DONE };

// The requests it sends and the events it reads, by their opcodes.
enum {
	DISPLAY_SYNC = 0,
	DISPLAY_GET_REGISTRY = 1,
	REGISTRY_BIND = 0,
	SEAT_GET_KEYBOARD = 1,
	DISPLAY_ERROR = 0,
	REGISTRY_GLOBAL = 0,
	SEAT_CAPABILITIES = 0,
	KEYBOARD_KEYMAP = 0,
	CALLBACK_DONE = 0,
};

enum { SEAT_CAPABILITY_KEYBOARD = 2, KEYMAP_FORMAT_XKB_V1 = 1 };

// What the compositor has told of the first seat, and whether it has
// answered the syncs that follow its globals and then the seat's requests.
struct Seat {
	bool bound;
	uint32_t capabilities;
	bool keymapSent;
	uint32_t format;
	int fd;
	uint32_t size;
	bool globalsDone;
	bool seatDone;
};

// Binds the first seat, at version 1, and asks for its keyboard and a sync
// at once, in the same round trip as the globals: the keyboard is read
// only where the seat says it has one.
static bool BindSeat(WireConnection *connection, uint32_t name)
{
	uint32_t bind[6] = {name, sizeof "wl_seat", 0, 0, 1, SEAT};
	uint32_t keyboard = KEYBOARD, done = SEAT_DONE;

	memcpy(bind + 2, "wl_seat", sizeof "wl_seat");
	return QueueRequest(connection, REGISTRY, REGISTRY_BIND, bind, 6) &&
	    QueueRequest(connection, SEAT, SEAT_GET_KEYBOARD, &keyboard, 1) &&
	    QueueRequest(connection, DISPLAY, DISPLAY_SYNC, &done, 1) && Flush(connection);
}

static bool Global(WireConnection *connection, const WireEvent *event, Seat *seat)
{
	uint32_t name;
	Text interface;
	size_t at = 0;

	if (seat->bound || !ReadUint(event, &at, &name) || !ReadWireString(event, &at, &interface) ||
	    !TextIs(interface, "wl_seat"))
		return true;
	seat->bound = true;
	return BindSeat(connection, name);
}

// A second keymap is closed: the first is the one read.
static void Keymap(WireConnection *connection, const WireEvent *event, Seat *seat)
{
	size_t at = 0;
	int fd = TakeFd(connection);
	uint32_t format, size;

	if (seat->keymapSent || !ReadUint(event, &at, &format) || !ReadUint(event, &at, &size)) {
		if (fd >= 0)
			close(fd);
		return;
	}
	seat->keymapSent = true;
	seat->format = format;
	seat->fd = fd;
	seat->size = size;
}

// Handles an event; false for the display's error, which ends the
// connection.
static bool Handle(WireConnection *connection, const WireEvent *event, Seat *seat)
{
	size_t at = 0;

	switch (event->object) {
	case DISPLAY:
		return event->opcode != DISPLAY_ERROR;
	case REGISTRY:
		return event->opcode != REGISTRY_GLOBAL || Global(connection, event, seat);
	case GLOBALS_DONE:
		seat->globalsDone = seat->globalsDone || event->opcode == CALLBACK_DONE;
		return true;
	case SEAT:
		if (event->opcode == SEAT_CAPABILITIES)
			ReadUint(event, &at, &seat->capabilities);
		return true;
	case KEYBOARD:
		if (event->opcode == KEYBOARD_KEYMAP)
			Keymap(connection, event, seat);
		return true;
	case SEAT_DONE:
		seat->seatDone = seat->seatDone || event->opcode == CALLBACK_DONE;
		return true;
	}
	return true;
}

// Reads the group names of the keymap in the first size bytes of fd. The
// file is copied, not mapped: a compositor may shrink it at any time, and
// a mapping would then fault past its end. What is left of it is read.
static bool ReadKeymap(int fd, uint32_t size, KeymapText *keymap)
{
	struct stat status;
	if (size == 0 || size > KEYMAP_MAX_SIZE || fstat(fd, &status) != 0 ||
	    !S_ISREG(status.st_mode) || (off_t)size > status.st_size)
		return false;
	char *text = (char *)malloc(size);
	if (!text)
		return false;
	size_t length = 0;
	while (length < size) {
		ssize_t got = pread(fd, text + length, size - length, (off_t)length);
		if (got <= 0)
			break;
		length += (size_t)got;
	}
	ScanKeymapText(Text{text, length}, keymap);
	free(text);
	return true;
}

// The first seat's keyboard keymap, in two round trips: the globals, then
// the seat's capabilities and keymap. A seat without a keyboard has none.
void QueryCompositor(WireConnection *connection, FoundLayouts *found)
{
	Seat seat = {false, 0, false, 0, -1, 0, false, false};
	uint32_t registry = REGISTRY, done = GLOBALS_DONE;
	WireEvent event;

	bool answered = QueueRequest(connection, DISPLAY, DISPLAY_GET_REGISTRY, &registry, 1) &&
	    QueueRequest(connection, DISPLAY, DISPLAY_SYNC, &done, 1) && Flush(connection);
	while (answered && !seat.seatDone && !(seat.globalsDone && !seat.bound))
		answered = NextEvent(connection, &event) && Handle(connection, &event, &seat);

	KeymapText keymap;
	if (answered && (seat.capabilities & SEAT_CAPABILITY_KEYBOARD) && seat.keymapSent &&
	    seat.format == KEYMAP_FORMAT_XKB_V1 && seat.fd >= 0 &&
	    ReadKeymap(seat.fd, seat.size, &keymap))
		GroupLayouts(&keymap.groups, found);
	if (seat.fd >= 0)
		close(seat.fd);
}

bool QueryWaylandLayouts(const Query *query, FoundLayouts *found)
{
	WireConnection connection;

	if (!ConnectWayland(query, &connection))
		return false;
	QueryCompositor(&connection, found);
	CloseWayland(&connection);
	return true;
}
