#include "wayland_client.h"

#include <dlfcn.h>

template <typename Symbol>
static bool Load(void *library, const char *name, Symbol *symbol)
{
	*symbol = (Symbol)dlsym(library, name);
	return *symbol != NULL;
}

// The library stays loaded: its objects live until the process ends.
bool LoadWaylandClient(WaylandClient *client)
{
	void *library = dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_LOCAL);

	return library &&
	    Load(library, "wl_display_connect", &client->displayConnect) &&
	    Load(library, "wl_display_disconnect", &client->displayDisconnect) &&
	    Load(library, "wl_display_get_fd", &client->displayGetFd) &&
	    Load(library, "wl_display_dispatch_pending", &client->displayDispatchPending) &&
	    Load(library, "wl_display_prepare_read", &client->displayPrepareRead) &&
	    Load(library, "wl_display_cancel_read", &client->displayCancelRead) &&
	    Load(library, "wl_display_read_events", &client->displayReadEvents) &&
	    Load(library, "wl_display_flush", &client->displayFlush) &&
	    Load(library, "wl_proxy_marshal_array_flags", &client->proxyMarshalArrayFlags) &&
	    Load(library, "wl_proxy_add_listener", &client->proxyAddListener) &&
	    Load(library, "wl_proxy_get_version", &client->proxyGetVersion) &&
	    Load(library, "wl_proxy_destroy", &client->proxyDestroy) &&
	    Load(library, "wl_log_set_handler_client", &client->logSetHandlerClient) &&
	    Load(library, "wl_registry_interface", &client->registryInterface) &&
	    Load(library, "wl_callback_interface", &client->callbackInterface) &&
	    Load(library, "wl_seat_interface", &client->seatInterface) &&
	    Load(library, "wl_keyboard_interface", &client->keyboardInterface);
}
