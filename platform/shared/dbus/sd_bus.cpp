#include "sd_bus.h"

#include <dlfcn.h>

#include "loaded_symbol.h"

// Machines without systemd may have elogind, whose library has sd-bus.
static const char *const LIBRARIES[] = {"libsystemd.so.0", "libelogind.so.0"};

static bool Load(void *library, SdBus *sd)
{
	return LoadSymbol(library, "sd_bus_new", &sd->busNew) &&
	    LoadSymbol(library, "sd_bus_set_address", &sd->setAddress) &&
	    LoadSymbol(library, "sd_bus_set_bus_client", &sd->setBusClient) &&
	    LoadSymbol(library, "sd_bus_start", &sd->start) &&
	    LoadSymbol(library, "sd_bus_is_ready", &sd->isReady) &&
	    LoadSymbol(library, "sd_bus_process", &sd->process) &&
	    LoadSymbol(library, "sd_bus_wait", &sd->wait) &&
	    LoadSymbol(library, "sd_bus_close_unref", &sd->closeUnref) &&
	    LoadSymbol(library, "sd_bus_message_new_method_call", &sd->newMethodCall) &&
	    LoadSymbol(library, "sd_bus_message_set_auto_start", &sd->setAutoStart) &&
	    LoadSymbol(library, "sd_bus_message_append_basic", &sd->appendBasic) &&
	    LoadSymbol(library, "sd_bus_call", &sd->call) &&
	    LoadSymbol(library, "sd_bus_message_unref", &sd->messageUnref) &&
	    LoadSymbol(library, "sd_bus_message_has_signature", &sd->hasSignature) &&
	    LoadSymbol(library, "sd_bus_message_read_basic", &sd->readBasic) &&
	    LoadSymbol(library, "sd_bus_message_skip", &sd->skip) &&
	    LoadSymbol(library, "sd_bus_message_peek_type", &sd->peekType) &&
	    LoadSymbol(library, "sd_bus_message_enter_container", &sd->enterContainer) &&
	    LoadSymbol(library, "sd_bus_message_exit_container", &sd->exitContainer) &&
	    LoadSymbol(library, "sd_bus_error_free", &sd->errorFree) &&
	    LoadSymbol(library, "sd_bus_error_has_name", &sd->errorHasName);
}

// The library stays loaded: the bus lives until the process ends.
const SdBus *LoadSdBus()
{
	static SdBus sd;
	static enum { UNTRIED, LOADED, MISSING } state = UNTRIED;

	if (state == UNTRIED) {
		void *library = NULL;
		for (const char *name : LIBRARIES)
			if (!library)
				library = dlopen(name, RTLD_LAZY | RTLD_LOCAL);
		state = library && Load(library, &sd) ? LOADED : MISSING;
	}
	return state == LOADED ? &sd : NULL;
}
