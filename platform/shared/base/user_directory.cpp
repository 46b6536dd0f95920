#include "user_directory.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>

#include "local_system.h"

Text UserDirectory(const char *variable, const char *underHome, char *buffer, size_t size)
{
	const char *given = secure_getenv(variable);
	const char *home = secure_getenv("HOME");

	if (given && *given == '/')
		return TextOf(given);
	if (!home || *home != '/')
		return Text{NULL, 0};
	int length = snprintf(buffer, size, "%s/%s", home, underHome);
	return length > 0 && length < (int)size ? Text{buffer, (size_t)length} : Text{NULL, 0};
}

bool SessionFilePath(const char *folder, Text suffix, char *path, size_t size)
{
	enum { ID_MAX = 64 };
	char config[PATH_MAX], id[ID_MAX];
	Text base = UserDirectory("XDG_CONFIG_HOME", ".config", config, sizeof config);
	Text machine = MachineId(id, sizeof id);
	int length = snprintf(path, size, "%.*s/%s/%.*s-%.*s", (int)base.length, base.bytes,
	    folder, (int)machine.length, machine.bytes, (int)suffix.length, suffix.bytes);

	return base.length > 0 && machine.length > 0 && length > 0 && length < (int)size;
}
