#include "session_bus.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deadline.h"

// The address GDBus would find, without the ways that start a bus of
// their own: dbus-launch, which it falls back on last, and autolaunch:
// addresses.
static bool SessionBusAddress(char *address, size_t size)
{
	const char *given = getenv("DBUS_SESSION_BUS_ADDRESS");
	if (given && *given)
		return !strstr(given, "autolaunch:") &&
		    snprintf(address, size, "%s", given) < (int)size;

	const char *runtime = getenv("XDG_RUNTIME_DIR");
	struct stat socket;
	if (!runtime || !*runtime || strspn(runtime,
	    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./") !=
	    strlen(runtime))
		return false;
	int length = snprintf(address, size, "unix:path=%s/bus", runtime);
	const char *path = address + sizeof "unix:path=" - 1;
	return length < (int)size && stat(path, &socket) == 0 &&
	    S_ISSOCK(socket.st_mode) && socket.st_uid == geteuid();
}

GDBusConnection *SessionBus(const Gio *gio)
{
	static bool tried;
	static GDBusConnection *bus;
	char address[1024];

	if (tried)
		return bus;
	tried = true;
	if (SessionBusAddress(address, sizeof address))
		bus = gio->connectionNewForAddressSync(address,
		    (GDBusConnectionFlags)(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
		    G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION), NULL, NULL, NULL);
	return bus;
}

bool NameHasOwner(const Gio *gio, GDBusConnection *bus, const char *name)
{
	static const BusObject busItself = {"org.freedesktop.DBus", "/org/freedesktop/DBus",
	    "org.freedesktop.DBus"};
	GVariant *reply = CallMethod(gio, bus, busItself, "NameHasOwner",
	    gio->variantNew("(s)", name), "(b)", NULL);
	gboolean owned = FALSE;

	if (!reply)
		return false;
	gio->variantGetChild(reply, 0, "b", &owned);
	gio->variantUnref(reply);
	return owned;
}

// GDBus checks the reply against replyType and answers an error where it
// differs.
GVariant *CallMethod(const Gio *gio, GDBusConnection *bus, BusObject object,
    const char *method, GVariant *parameters, const char *replyType, bool *unknown)
{
	GError *error = NULL;
	int left = MillisecondsLeft();
	GVariant *reply = NULL;

	if (unknown)
		*unknown = false;
	if (left > 0)
		reply = gio->connectionCallSync(bus, object.name, object.path, object.interface,
		    method, parameters, (const GVariantType *)replyType,
		    G_DBUS_CALL_FLAGS_NO_AUTO_START, left, NULL, &error);
	else if (parameters)
		gio->variantUnref(gio->variantTakeRef(parameters));
	if (error) {
		if (unknown)
			*unknown = error->domain == gio->dbusErrorQuark() &&
			    error->code == G_DBUS_ERROR_UNKNOWN_METHOD;
		gio->errorFree(error);
	}
	return reply;
}
