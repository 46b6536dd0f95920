#ifndef KBLAYOUTS_SESSION_BUS_H
#define KBLAYOUTS_SESSION_BUS_H

#include "sd_bus.h"
#include "text.h"

// A connection to a bus, with sd-bus's functions.
struct BusConnection {
	const SdBus *sd;
	sd_bus *bus;
};

// An object a program serves on the bus, and the interface asked of it.
struct BusObject {
	const char *name;
	const char *path;
	const char *interface;
};

// Connects to the bus at address, waiting until the deadline at most;
// false where no sd-bus is installed or the bus refuses the connection.
bool ConnectBus(const char *address, BusConnection *connection);

// The user's session bus, where the environment gives its address:
// DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus. Connects once,
// waiting until the deadline at most. NULL where no sd-bus is installed,
// the environment gives no address (no bus is started to make one), or
// the bus refuses the connection.
const BusConnection *SessionBus();

// Closes the session bus's connection, where SessionBus opened one.
void CloseSessionBus();

// Calls method with the strings given as its arguments, never starting
// the program that would serve it, and waits for the reply until the
// deadline. Returns the reply where its signature is replyType
// ("sa(ss)"), for the caller to unref; else NULL, and *unknown, if given,
// tells whether the method is not one the object has.
sd_bus_message *CallMethod(const BusConnection *bus, BusObject object,
    const char *method, const char *const arguments[], int count,
    const char *replyType, bool *unknown);

// Whether a program owns name on the bus.
bool NameHasOwner(const BusConnection *bus, const char *name);

// Reads the string that comes next in a message; empty where the next is
// not a string.
Text ReadString(const BusConnection *bus, sd_bus_message *message);

// Enters the container of type ('v', 'r', 'a') that comes next in a
// message, whatever it holds; false where the next is not one.
bool EnterAny(const BusConnection *bus, sd_bus_message *message, char type);

#endif
