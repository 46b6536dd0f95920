#include "wayland_query.h"

#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deadline.h"
#include "environment.h"
#include "keymap_text.h"
#include "wayland_client.h"

// Far more than any keymap needs (a full one is about 64 KiB).
enum { KEYMAP_MAX_SIZE = 16 << 20 };

struct Seat {
	const WaylandClient *wl;
	wl_seat *seat;
	uint32_t capabilities;
	bool keymapSent;
	uint32_t format;
	int fd;
	uint32_t size;
};

// Sends a request whose last argument is a new object of the interface
// given, at the version given, and returns that object. The request
// functions inline in libwayland's headers do the same, but through
// symbols the program would have to be linked to.
static wl_proxy *Request(const WaylandClient *wl, void *proxy, uint32_t opcode,
    const wl_interface *interface, uint32_t version, wl_argument *arguments)
{
	return wl->proxyMarshalArrayFlags((wl_proxy *)proxy, opcode, interface,
	    version, 0, arguments);
}

// The events the program reads, by their numbers in their interfaces.
enum {
	REGISTRY_GLOBAL = 0,
	SEAT_CAPABILITIES = 0,
	KEYBOARD_KEYMAP = 0,
	CALLBACK_DONE = 0,
};

// Each proxy's events go to a dispatcher, decoded, with the data given:
// libwayland would call a listener's functions through libffi, which
// costs more than the rest of the query.
static void Listen(const WaylandClient *wl, void *proxy, wl_dispatcher_func_t dispatcher,
    void *data)
{
	wl->proxyAddDispatcher((wl_proxy *)proxy, dispatcher, data, NULL);
}

static int SeatEvent(const void *data, void *, uint32_t opcode, const wl_message *,
    wl_argument *arguments)
{
	if (opcode == SEAT_CAPABILITIES)
		((Seat *)data)->capabilities = arguments[0].u;
	return 0;
}

// Binds the first seat and listens to it at once: the bind may be sent
// before the round trip ends, and the seat's capabilities may then come
// with the round trip's own answer.
static int RegistryEvent(const void *data, void *registry, uint32_t opcode,
    const wl_message *, wl_argument *arguments)
{
	Seat *seat = (Seat *)data;
	const wl_interface *seatInterface = seat->wl->seatInterface;
	if (opcode != REGISTRY_GLOBAL || seat->seat ||
	    strcmp(arguments[1].s, seatInterface->name) != 0)
		return 0;
	wl_argument bind[4] = {};
	bind[0].u = arguments[0].u;
	bind[1].s = seatInterface->name;
	bind[2].u = 1;
	seat->seat = (wl_seat *)Request(seat->wl, registry, WL_REGISTRY_BIND,
	    seatInterface, 1, bind);
	Listen(seat->wl, seat->seat, SeatEvent, seat);
	return 0;
}

// A second keymap is closed: the first is the one read.
static int KeyboardEvent(const void *data, void *, uint32_t opcode, const wl_message *,
    wl_argument *arguments)
{
	Seat *seat = (Seat *)data;
	if (opcode != KEYBOARD_KEYMAP)
		return 0;
	if (seat->keymapSent) {
		close(arguments[1].h);
		return 0;
	}
	seat->keymapSent = true;
	seat->format = arguments[0].u;
	seat->fd = arguments[1].h;
	seat->size = arguments[2].u;
	return 0;
}

static int CallbackEvent(const void *data, void *, uint32_t opcode, const wl_message *,
    wl_argument *)
{
	if (opcode == CALLBACK_DONE)
		*(bool *)data = true;
	return 0;
}

// Like wl_display_roundtrip, but gives up at the deadline: the events of
// every request sent so far are handled when it returns true.
static bool Roundtrip(const WaylandClient *wl, wl_display *display)
{
	bool done = false;
	wl_argument sync[1] = {};
	wl_proxy *callback = Request(wl, display, WL_DISPLAY_SYNC, wl->callbackInterface,
	    wl->proxyGetVersion((wl_proxy *)display), sync);

	Listen(wl, callback, CallbackEvent, &done);
	while (!done && wl->displayDispatchPending(display) >= 0 && !done) {
		if (wl->displayPrepareRead(display) != 0)
			continue;
		if ((wl->displayFlush(display) < 0 && errno != EAGAIN) ||
		    !WaitReadable(wl->displayGetFd(display))) {
			wl->displayCancelRead(display);
			break;
		}
		if (wl->displayReadEvents(display) < 0)
			break;
	}
	wl->proxyDestroy(callback);
	return done;
}

// Reads the group names of the keymap in the first size bytes of fd,
// mapped privately: never past the end of the file, which would fault.
static bool ReadKeymap(int fd, uint32_t size, KeymapText *keymap)
{
	struct stat status;
	if (size == 0 || size > KEYMAP_MAX_SIZE || fstat(fd, &status) != 0 ||
	    !S_ISREG(status.st_mode) || (off_t)size > status.st_size)
		return false;
	void *text = mmap(NULL, size, PROT_READ, MAP_PRIVATE, fd, 0);
	if (text == MAP_FAILED)
		return false;
	ScanKeymapText(Text{(const char *)text, size}, keymap);
	munmap(text, size);
	return true;
}

// The first seat's keyboard keymap, in three round trips: the globals, the
// seat's capabilities, the keymap. A seat without a keyboard has none.
static int QueryCompositor(const WaylandClient *wl, wl_display *display,
    int capacity, uint32_t *hklList)
{
	Seat seat = {wl, NULL, 0, false, 0, -1, 0};
	wl_argument getRegistry[1] = {}, getKeyboard[1] = {};
	wl_proxy *registry = Request(wl, display, WL_DISPLAY_GET_REGISTRY,
	    wl->registryInterface, wl->proxyGetVersion((wl_proxy *)display), getRegistry);
	wl_proxy *keyboard = NULL;
	int count = 0;

	Listen(wl, registry, RegistryEvent, &seat);
	if (Roundtrip(wl, display) && seat.seat) {
		if (Roundtrip(wl, display) &&
		    (seat.capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
			keyboard = Request(wl, seat.seat, WL_SEAT_GET_KEYBOARD, wl->keyboardInterface,
			    wl->proxyGetVersion((wl_proxy *)seat.seat), getKeyboard);
			Listen(wl, keyboard, KeyboardEvent, &seat);
			Roundtrip(wl, display);
		}
	}

	KeymapText keymap;
	if (seat.keymapSent && seat.format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 &&
	    ReadKeymap(seat.fd, seat.size, &keymap))
		count = GroupIdentifiers(&keymap.groups, capacity, hklList);
	if (seat.fd >= 0)
		close(seat.fd);
	if (keyboard)
		wl->proxyDestroy(keyboard);
	if (seat.seat)
		wl->proxyDestroy((wl_proxy *)seat.seat);
	wl->proxyDestroy(registry);
	return count;
}

// libwayland would print a compositor's protocol errors on standard error.
static void Silent(const char *, va_list) {}

bool QueryWaylandLayouts(int capacity, uint32_t *hklList, int *count)
{
	WaylandClient wl;

	if (!WaylandNamed() || !LoadWaylandClient(&wl))
		return false;
	wl.logSetHandlerClient(Silent);
	wl_display *display = wl.displayConnect(NULL);
	if (!display)
		return false;
	*count = QueryCompositor(&wl, display, capacity, hklList);
	wl.displayDisconnect(display);
	return true;
}
