#include "session_bus.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "deadline.h"

// The address of the user's bus, without the ways that start a bus of
// their own, such as autolaunch: addresses.
static bool SessionBusAddress(char *address, size_t size)
{
	const char *given = secure_getenv("DBUS_SESSION_BUS_ADDRESS");
	if (given && *given)
		return !strstr(given, "autolaunch:") &&
		    snprintf(address, size, "%s", given) < (int)size;

	const char *runtime = secure_getenv("XDG_RUNTIME_DIR");
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

// sd-bus authenticates and says hello on its own while it waits for a
// call, but without a limit: this waits only until the deadline.
static bool AwaitReady(const SdBus *sd, sd_bus *bus, const Query *query)
{
	for (;;) {
		int ready = sd->isReady(bus);
		if (ready != 0)
			return ready > 0;
		int processed = sd->process(bus, NULL);
		if (processed < 0)
			return false;
		if (processed > 0)
			continue;
		int left = MillisecondsLeft(query);
		if (left == 0 || sd->wait(bus, (uint64_t)left * 1000) < 0)
			return false;
	}
}

// A connection that fails is closed without the flush that would wait,
// without a limit, for a bus that never answered.
bool ConnectBus(const Query *query, const char *address, BusConnection *connection)
{
	const SdBus *sd = LoadSdBus();
	sd_bus *bus = NULL;

	if (!sd || sd->busNew(&bus) < 0)
		return false;
	if (sd->setAddress(bus, address) < 0 || sd->setBusClient(bus, 1) < 0 ||
	    sd->start(bus) < 0 || !AwaitReady(sd, bus, query)) {
		sd->closeUnref(bus);
		return false;
	}
	*connection = BusConnection{sd, bus, query};
	return true;
}

const BusConnection *SessionBus(Query *query)
{
	char address[1024];

	if (!query->sessionBusTried && (!SessionBusAddress(address, sizeof address) ||
	    !ConnectBus(query, address, &query->sessionBus)))
		query->sessionBus.sd = NULL;
	query->sessionBusTried = true;
	return query->sessionBus.sd ? &query->sessionBus : NULL;
}

void CloseSessionBus(Query *query)
{
	if (query->sessionBus.sd)
		query->sessionBus.sd->closeUnref(query->sessionBus.bus);
	query->sessionBus.sd = NULL;
	query->sessionBusTried = false;
}

sd_bus_message *CallMethod(const BusConnection *bus, BusObject object,
    const char *method, const char *const arguments[], int count,
    const char *replyType, bool *unknown)
{
	const SdBus *sd = bus->sd;
	sd_bus_message *call = NULL, *reply = NULL;
	sd_bus_error error = {NULL, NULL, 0};
	int left = MillisecondsLeft(bus->query);

	if (unknown)
		*unknown = false;
	if (left == 0 || sd->newMethodCall(bus->bus, &call, object.name, object.path,
	    object.interface, method) < 0)
		return NULL;
	bool built = sd->setAutoStart(call, 0) >= 0;
	for (int i = 0; built && i < count; i++)
		built = sd->appendBasic(call, 's', arguments[i]) >= 0;
	if (built && sd->call(bus->bus, call, (uint64_t)left * 1000, &error, &reply) < 0 &&
	    unknown)
		*unknown = sd->errorHasName(&error, SD_BUS_ERROR_UNKNOWN_METHOD) > 0;
	sd->errorFree(&error);
	sd->messageUnref(call);
	if (reply && sd->hasSignature(reply, replyType) <= 0)
		reply = sd->messageUnref(reply);
	return reply;
}

bool NameHasOwner(const BusConnection *bus, const char *name)
{
	static const BusObject busItself = {"org.freedesktop.DBus", "/org/freedesktop/DBus",
	    "org.freedesktop.DBus"};
	sd_bus_message *reply = CallMethod(bus, busItself, "NameHasOwner", &name, 1, "b", NULL);
	int owned = 0;

	if (!reply)
		return false;
	if (bus->sd->readBasic(reply, 'b', &owned) <= 0)
		owned = 0;
	bus->sd->messageUnref(reply);
	return owned;
}

Text ReadString(const BusConnection *bus, sd_bus_message *message)
{
	const char *string = NULL;

	if (bus->sd->readBasic(message, 's', &string) <= 0 || !string)
		return Text{NULL, 0};
	return TextOf(string);
}

bool EnterAny(const BusConnection *bus, sd_bus_message *message, char type)
{
	char next;
	const char *contents;

	return bus->sd->peekType(message, &next, &contents) > 0 && next == type && contents &&
	    bus->sd->enterContainer(message, type, contents) > 0;
}
