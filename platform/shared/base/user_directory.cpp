#include "user_directory.h"

#include <stdio.h>
#include <stdlib.h>

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
