#ifndef KBLAYOUTS_SD_BUS_H
#define KBLAYOUTS_SD_BUS_H

#include <systemd/sd-bus.h>

// The functions of sd-bus the program uses, from libsystemd loaded at run
// time, so that only a session whose sources ask the bus loads it.
struct SdBus {
	decltype(&sd_bus_new) busNew;
	decltype(&sd_bus_set_address) setAddress;
	decltype(&sd_bus_set_bus_client) setBusClient;
	decltype(&sd_bus_start) start;
	decltype(&sd_bus_is_ready) isReady;
	decltype(&sd_bus_process) process;
	decltype(&sd_bus_wait) wait;
	decltype(&sd_bus_close_unref) closeUnref;
	decltype(&sd_bus_message_new_method_call) newMethodCall;
	decltype(&sd_bus_message_set_auto_start) setAutoStart;
	decltype(&sd_bus_message_append_basic) appendBasic;
	decltype(&sd_bus_call) call;
	decltype(&sd_bus_message_unref) messageUnref;
	decltype(&sd_bus_message_has_signature) hasSignature;
	decltype(&sd_bus_message_read_basic) readBasic;
	decltype(&sd_bus_message_skip) skip;
	decltype(&sd_bus_message_peek_type) peekType;
	decltype(&sd_bus_message_enter_container) enterContainer;
	decltype(&sd_bus_message_exit_container) exitContainer;
	decltype(&sd_bus_error_free) errorFree;
	decltype(&sd_bus_error_has_name) errorHasName;
};

// Loads libsystemd, or elogind's library, which has the same sd-bus, and
// the above, once; NULL where neither is installed or lacks one of them.
const SdBus *LoadSdBus();

#endif
