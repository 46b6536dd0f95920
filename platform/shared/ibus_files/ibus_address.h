#ifndef KBLAYOUTS_IBUS_ADDRESS_H
#define KBLAYOUTS_IBUS_ADDRESS_H

#include <sys/types.h>

#include "query_state.h"
#include "text.h"

// The program that serves IBus, as IBus's address file for the session's
// display tells: ibus-daemon writes the file with its process ID, and so
// does fcitx5's IBus front end, which takes IBus's place. A cheaper sign
// than asking the bus.
enum IbusServer {
	IBUS_SERVER_UNKNOWN,	// no file, or a process that is gone
	IBUS_SERVER_IBUS_DAEMON,
	IBUS_SERVER_FCITX5,
};

// The process ID an address file's bytes give, as IBUS_DAEMON_PID=, where
// its IBUS_ADDRESS= is not empty; 0 where there is none. A later line
// gives a key again.
pid_t IbusAddressPid(Text file);

// Reads the file where IBus finds it, once a query: $IBUS_ADDRESS_FILE,
// else ibus/bus/MACHINEID-HOST-DISPLAY in the user's configuration folder.
IbusServer IbusAddressServer(Query *query);

// The address of ibus-daemon's own bus, which the same file gives; false
// where the file names no ibus-daemon that runs.
bool IbusDaemonAddress(char *address, size_t size);

#endif
