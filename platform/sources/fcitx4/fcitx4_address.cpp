#include "fcitx4_address.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "local_system.h"
#include "small_file.h"
#include "user_directory.h"

// fcitx 4's own clients read no more of the file than this.
enum { ADDRESS_FILE_MAX = 1024, ID_MAX = 64 };

bool ReadFcitx4AddressFile(Text file, Fcitx4AddressFile *parsed)
{
	Text ids;

	parsed->address = SplitAt(file, '\0', &ids);
	if (!ids.bytes || ids.length != 2 * sizeof(pid_t))
		return false;
	memcpy(&parsed->daemon, ids.bytes, sizeof(pid_t));
	memcpy(&parsed->fcitx, ids.bytes + sizeof(pid_t), sizeof(pid_t));
	return true;
}

int Fcitx4DisplayNumber()
{
	const char *display = secure_getenv("DISPLAY");
	const char *colon = display ? strchr(display, ':') : NULL;
	int number = 0;

	for (const char *digit = colon ? colon + 1 : ""; *digit >= '0' && *digit <= '9' &&
	    number < INT_MAX / 10 - 1; digit++)
		number = number * 10 + (*digit - '0');
	return number;
}

static bool AddressFilePath(char *path, size_t size)
{
	char number[sizeof "2147483647"];

	snprintf(number, sizeof number, "%d", Fcitx4DisplayNumber());
	return SessionFilePath("fcitx/dbus", TextOf(number), path, size);
}

static bool Runs(pid_t pid, const char *name)
{
	char comm[ID_MAX];

	return TextIs(ProcessName(pid, comm, sizeof comm), name);
}

bool Fcitx4OwnBus(char *address, size_t size)
{
	char path[PATH_MAX], contents[ADDRESS_FILE_MAX + 1];
	Fcitx4AddressFile file;
	Text rest;

	if (!AddressFilePath(path, sizeof path))
		return false;
	Text bytes = ReadSmallFile(path, contents, sizeof contents);
	if (bytes.length > ADDRESS_FILE_MAX || !ReadFcitx4AddressFile(bytes, &file) ||
	    !StartsWith(file.address, "unix:", &rest) || file.address.length >= size ||
	    !Runs(file.daemon, "dbus-daemon") || !Runs(file.fcitx, "fcitx"))
		return false;
	memcpy(address, file.address.bytes, file.address.length);
	address[file.address.length] = '\0';
	return true;
}
