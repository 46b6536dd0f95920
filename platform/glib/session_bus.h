#ifndef KBLAYOUTS_SESSION_BUS_H
#define KBLAYOUTS_SESSION_BUS_H

#include "gio.h"

// An object a program serves on the bus, and the interface asked of it.
struct BusObject {
	const char *name;
	const char *path;
	const char *interface;
};

// The user's session bus, where the environment gives its address:
// DBUS_SESSION_BUS_ADDRESS, else $XDG_RUNTIME_DIR/bus. Connects once. NULL
// where it gives none (no bus is started to make one) or the bus refuses
// the connection.
GDBusConnection *SessionBus(const Gio *gio);

// Whether a program owns name on the bus.
bool NameHasOwner(const Gio *gio, GDBusConnection *bus, const char *name);

// Calls method, never starting the program that would serve it, and
// waits for the reply until the deadline. Returns the reply where it has
// the type replyType ("(sa(ss))"), for the caller to unref; else NULL, and
// *unknown, if given, tells whether the method is not one the object has.
GVariant *CallMethod(const Gio *gio, GDBusConnection *bus, BusObject object,
    const char *method, GVariant *parameters, const char *replyType, bool *unknown);

#endif
