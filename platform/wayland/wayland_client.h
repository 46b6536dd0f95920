#ifndef KBLAYOUTS_WAYLAND_CLIENT_H
#define KBLAYOUTS_WAYLAND_CLIENT_H

#include <wayland-client.h>

// The functions and interfaces of libwayland-client the program uses,
// loaded at run time, so that only a Wayland session loads the library
// and libffi.
struct WaylandClient {
	decltype(&wl_display_connect) displayConnect;
	decltype(&wl_display_disconnect) displayDisconnect;
	decltype(&wl_display_get_fd) displayGetFd;
	decltype(&wl_display_dispatch_pending) displayDispatchPending;
	decltype(&wl_display_prepare_read) displayPrepareRead;
	decltype(&wl_display_cancel_read) displayCancelRead;
	decltype(&wl_display_read_events) displayReadEvents;
	decltype(&wl_display_flush) displayFlush;
	decltype(&wl_proxy_marshal_array_flags) proxyMarshalArrayFlags;
	decltype(&wl_proxy_add_dispatcher) proxyAddDispatcher;
	decltype(&wl_proxy_get_version) proxyGetVersion;
	decltype(&wl_proxy_destroy) proxyDestroy;
	decltype(&wl_log_set_handler_client) logSetHandlerClient;
	const wl_interface *registryInterface;
	const wl_interface *callbackInterface;
	const wl_interface *seatInterface;
	const wl_interface *keyboardInterface;
};

// Loads libwayland-client and the above; false where any is missing.
bool LoadWaylandClient(WaylandClient *client);

#endif
