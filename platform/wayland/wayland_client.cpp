#include "wayland_client.h"

#include <dlfcn.h>

#include "loaded_symbol.h"

// The library stays loaded: its objects live until the process ends.
bool LoadWaylandClient(WaylandClient *client)
{
	void *library = dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_LOCAL);

	return library &&
	    LoadSymbol(library, "wl_display_connect", &client->displayConnect) &&
	    LoadSymbol(library, "wl_display_disconnect", &client->displayDisconnect) &&
	    LoadSymbol(library, "wl_display_get_fd", &client->displayGetFd) &&
	    LoadSymbol(library, "wl_display_dispatch_pending", &client->displayDispatchPending) &&
	    LoadSymbol(library, "wl_display_prepare_read", &client->displayPrepareRead) &&
	    LoadSymbol(library, "wl_display_cancel_read", &client->displayCancelRead) &&
	    LoadSymbol(library, "wl_display_read_events", &client->displayReadEvents) &&
	    LoadSymbol(library, "wl_display_flush", &client->displayFlush) &&
	    LoadSymbol(library, "wl_proxy_marshal_array_flags", &client->proxyMarshalArrayFlags) &&
	    LoadSymbol(library, "wl_proxy_add_dispatcher", &client->proxyAddDispatcher) &&
	    LoadSymbol(library, "wl_proxy_get_version", &client->proxyGetVersion) &&
	    LoadSymbol(library, "wl_proxy_destroy", &client->proxyDestroy) &&
	    LoadSymbol(library, "wl_log_set_handler_client", &client->logSetHandlerClient) &&
	    LoadSymbol(library, "wl_registry_interface", &client->registryInterface) &&
	    LoadSymbol(library, "wl_callback_interface", &client->callbackInterface) &&
	    LoadSymbol(library, "wl_seat_interface", &client->seatInterface) &&
	    LoadSymbol(library, "wl_keyboard_interface", &client->keyboardInterface);
}
