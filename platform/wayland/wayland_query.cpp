#include "wayland_query.h"

#include <errno.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wayland-client.h>

#include "deadline.h"
#include "keymap_text.h"

// Far more than any keymap needs (a full one is about 64 KiB).
enum { KEYMAP_MAX_SIZE = 16 << 20 };

struct Seat {
	wl_seat *seat;
	uint32_t capabilities;
	bool keymapSent;
	uint32_t format;
	int fd;
	uint32_t size;
};

static void Global(void *data, wl_registry *registry, uint32_t name,
    const char *interface, uint32_t)
{
	Seat *seat = (Seat *)data;
	if (!seat->seat && strcmp(interface, wl_seat_interface.name) == 0)
		seat->seat = (wl_seat *)wl_registry_bind(registry, name,
		    &wl_seat_interface, 1);
}

static void GlobalRemove(void *, wl_registry *, uint32_t) {}

static const wl_registry_listener REGISTRY_LISTENER = {Global, GlobalRemove};

static void Capabilities(void *data, wl_seat *, uint32_t capabilities)
{
	((Seat *)data)->capabilities = capabilities;
}

static void Name(void *, wl_seat *, const char *) {}

static const wl_seat_listener SEAT_LISTENER = {Capabilities, Name};

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
static bool Roundtrip(wl_display *display)
{
	bool done = false;
	wl_callback *callback = wl_display_sync(display);

	wl_callback_add_listener(callback, &CALLBACK_LISTENER, &done);
	while (!done && wl_display_dispatch_pending(display) >= 0 && !done) {
		if (wl_display_prepare_read(display) != 0)
			continue;
		if ((wl_display_flush(display) < 0 && errno != EAGAIN) ||
		    !WaitReadable(wl_display_get_fd(display))) {
			wl_display_cancel_read(display);
			break;
		}
		if (wl_display_read_events(display) < 0)
			break;
	}
	wl_callback_destroy(callback);
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
static int QueryCompositor(wl_display *display, int capacity, uint32_t *hklList)
{
	Seat seat = {NULL, 0, false, 0, -1, 0};
	wl_registry *registry = wl_display_get_registry(display);
	wl_keyboard *keyboard = NULL;
	int count = 0;

	wl_registry_add_listener(registry, &REGISTRY_LISTENER, &seat);
	if (Roundtrip(display) && seat.seat) {
		wl_seat_add_listener(seat.seat, &SEAT_LISTENER, &seat);
		if (Roundtrip(display) &&
		    (seat.capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
			keyboard = wl_seat_get_keyboard(seat.seat);
			wl_keyboard_add_listener(keyboard, &KEYBOARD_LISTENER, &seat);
			Roundtrip(display);
		}
	}

	KeymapText keymap;
	if (seat.keymapSent && seat.format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 &&
	    ReadKeymap(seat.fd, seat.size, &keymap))
		count = GroupIdentifiers(&keymap.groups, capacity, hklList);
	if (seat.fd >= 0)
		close(seat.fd);
	if (keyboard)
		wl_keyboard_destroy(keyboard);
	if (seat.seat)
		wl_seat_destroy(seat.seat);
	wl_registry_destroy(registry);
	return count;
}

// libwayland would print a compositor's protocol errors on standard error.
static void Silent(const char *, va_list) {}

bool QueryWaylandLayouts(int capacity, uint32_t *hklList, int *count)
{
	if (!getenv("WAYLAND_DISPLAY") && !getenv("WAYLAND_SOCKET"))
		return false;
	wl_log_set_handler_client(Silent);
	wl_display *display = wl_display_connect(NULL);
	if (!display)
		return false;
	*count = QueryCompositor(display, capacity, hklList);
	wl_display_disconnect(display);
	return true;
}
