#include "ibus_address.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>

#include "local_system.h"
#include "small_file.h"
#include "user_directory.h"

// Longer files than this are read only this far.
enum { ADDRESS_FILE_MAX = 4096, ID_MAX = 64 };

// The host and display parts of the file's name, as IBus makes them: a
// Wayland display's name, or DISPLAY's host (by default "unix") and
// number without its screen.
static void DisplayParts(Text *host, Text *number)
{
	const char *wayland = secure_getenv("WAYLAND_DISPLAY");
	const char *x = secure_getenv("DISPLAY");
	Text rest;

	*host = TextOf("unix");
	*number = TextOf("0");
	if (wayland) {
		*number = TextOf(wayland);
	} else if (x) {
		Text name = SplitAt(TextOf(x), ':', &rest);
		if (name.length > 0)
			*host = name;
		if (rest.bytes)
			*number = SplitAt(rest, '.', &rest);
	}
}

static bool AddressFilePath(char *path, size_t size)
{
	const char *given = secure_getenv("IBUS_ADDRESS_FILE");
	char suffix[PATH_MAX];
	Text host, number;

	if (given)
		return snprintf(path, size, "%s", given) < (int)size;
	DisplayParts(&host, &number);
	int length = snprintf(suffix, sizeof suffix, "%.*s-%.*s", (int)host.length, host.bytes,
	    (int)number.length, number.bytes);
	return length > 0 && length < (int)sizeof suffix &&
	    SessionFilePath("ibus/bus", Text{suffix, (size_t)length}, path, size);
}

// The value of KEY= in the file's lines, empty where none gives it.
static Text Value(Text file, const char *key)
{
	Text rest, value = {NULL, 0};

	while (file.length > 0) {
		Text line = SplitAt(file, '\n', &file);
		if (StartsWith(line, key, &rest) && StartsWith(rest, "=", &rest))
			value = Trimmed(rest);
	}
	return value;
}

// The process ID a text gives, 0 where it is no positive number.
static pid_t ProcessId(Text text)
{
	long id = 0;

	for (size_t i = 0; i < text.length; i++) {
		if (text.bytes[i] < '0' || text.bytes[i] > '9' || id > INT_MAX / 10)
			return 0;
		id = id * 10 + (text.bytes[i] - '0');
	}
	return id <= INT_MAX ? (pid_t)id : 0;
}

pid_t IbusAddressPid(Text file)
{
	// fcitx5 empties both values as it ends.
	return Value(file, "IBUS_ADDRESS").length > 0 ? ProcessId(Value(file, "IBUS_DAEMON_PID")) : 0;
}

// The program that serves IBus, by the process ID in the file's bytes.
static IbusServer Server(Text file)
{
	char comm[ID_MAX];
	// A process that has ended has no name.
	Text name = ProcessName(IbusAddressPid(file), comm, sizeof comm);

	if (TextIs(name, "ibus-daemon"))
		return IBUS_SERVER_IBUS_DAEMON;
	return TextIs(name, "fcitx5") ? IBUS_SERVER_FCITX5 : IBUS_SERVER_UNKNOWN;
}

static Text ReadAddressFile(char *contents, size_t size)
{
	char path[PATH_MAX];

	return AddressFilePath(path, sizeof path) ? ReadSmallFile(path, contents, size)
	    : Text{NULL, 0};
}

IbusServer IbusAddressServer(Query *query)
{
	char contents[ADDRESS_FILE_MAX];

	if (query->ibusServer < 0)
		query->ibusServer = Server(ReadAddressFile(contents, sizeof contents));
	return (IbusServer)query->ibusServer;
}

bool IbusDaemonAddress(char *address, size_t size)
{
	char contents[ADDRESS_FILE_MAX];
	Text file = ReadAddressFile(contents, sizeof contents);
	Text given = Value(file, "IBUS_ADDRESS");

	return Server(file) == IBUS_SERVER_IBUS_DAEMON &&
	    snprintf(address, size, "%.*s", (int)given.length, given.bytes) < (int)size;
}
