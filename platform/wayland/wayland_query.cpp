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

static void Listen(const WaylandClient *wl, void *proxy, const void *listener, void *data)
{
	wl->proxyAddListener((wl_proxy *)proxy, (void (**)(void))listener, data);
}

static void Capabilities(void *data, wl_seat *, uint32_t capabilities)
{
	((Seat *)data)->capabilities = capabilities;
}

static void Name(void *, wl_seat *, const char *) {}

static const wl_seat_listener SEAT_LISTENER = {Capabilities, Name};

// Binds the first seat and listens to it at once: the bind may be sent
// before the round trip ends, and the seat's capabilities may then come
// with the round trip's own answer.
static void Global(void *data, wl_registry *registry, uint32_t name,
    const char *interface, uint32_t)
{
	Seat *seat = (Seat *)data;
	const wl_interface *seatInterface = seat->wl->seatInterface;
	if (seat->seat || strcmp(interface, seatInterface->name) != 0)
		return;
	wl_argument bind[4] = {};
	bind[0].u = name;
	bind[1].s = seatInterface->name;
	bind[2].u = 1;
	seat->seat = (wl_seat *)Request(seat->wl, registry, WL_REGISTRY_BIND,
	    seatInterface, 1, bind);
	Listen(seat->wl, seat->seat, &SEAT_LISTENER, seat);
}

static void GlobalRemove(void *, wl_registry *, uint32_t) {}

static const wl_registry_listener REGISTRY_LISTENER = {Global, GlobalRemove};

static void Keymap(void *data, wl_keyboard *, uint32_t format, int fd,
    uint32_t size)
{
	Seat *seat = (Seat *)data;
	if (seat->keymapSent) {
		close(fd);
		return;
	}
	seat->keymapSent = true;
	seat->format = format;
	seat->fd = fd;
	seat->size = size;
}

static void Enter(void *, wl_keyboard *, uint32_t, wl_surface *, wl_array *) {}
static void Leave(void *, wl_keyboard *, uint32_t, wl_surface *) {}
static void Key(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t) {}
static void Modifiers(void *, wl_keyboard *, uint32_t, uint32_t, uint32_t,
    uint32_t, uint32_t) {}

static const wl_keyboard_listener KEYBOARD_LISTENER = {
	Keymap, Enter, Leave, Key, Modifiers, NULL,
};

static void Done(void *data, wl_callback *, uint32_t)
{
	*(bool *)data = true;
}

static const wl_callback_listener CALLBACK_LISTENER = {Done};

// Like wl_display_roundtrip, but gives up at the deadline: the events of
// every request sent so far are handled when it returns true.
static bool Roundtrip(const WaylandClient *wl, wl_display *display)
{
	bool done = false;
	wl_argument sync[1] = {};
	wl_proxy *callback = Request(wl, display, WL_DISPLAY_SYNC, wl->callbackInterface,
	    wl->proxyGetVersion((wl_proxy *)display), sync);

	Listen(wl, callback, &CALLBACK_LISTENER, &done);
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

	Listen(wl, registry, &REGISTRY_LISTENER, &seat);
	if (Roundtrip(wl, display) && seat.seat) {
		if (Roundtrip(wl, display) &&
		    (seat.capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
			keyboard = Request(wl, seat.seat, WL_SEAT_GET_KEYBOARD, wl->keyboardInterface,
			    wl->proxyGetVersion((wl_proxy *)seat.seat), getKeyboard);
			Listen(wl, keyboard, &KEYBOARD_LISTENER, &seat);
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
