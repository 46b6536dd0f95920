#ifndef KBLAYOUTS_SESSION_BUS_H
#define KBLAYOUTS_SESSION_BUS_H

#include "query_state.h"
#include "sd_bus.h"
#include "text.h"

// An object a program serves on the bus, and the interface asked of it.
struct BusObject {
	const char *name;
	const char *path;
	const char *interface;
};

// Connects to the bus at address, waiting until the query's deadline at
// most; false where no sd-bus is installed or the bus refuses the
// connection.
bool ConnectBus(const Query *query, const char *address, BusConnection *connection);

// The user's session bus, where the environment gives its address:
// DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus. Connects once a
// query, waiting until its deadline at most. NULL where no sd-bus is
// installed, the environment gives no address (no bus is started to make
// one), or the bus refuses the connection.
const BusConnection *SessionBus(Query *query);

// Closes the query's session bus connection, where SessionBus opened one.
void CloseSessionBus(Query *query);

// Calls method with the strings given as its arguments, never starting
// the program that would serve it, and waits for the reply until the
// bus's query's deadline. Returns the reply where its signature is replyType
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
