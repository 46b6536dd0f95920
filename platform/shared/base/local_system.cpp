#include "local_system.h"

#include <stdio.h>

#include "small_file.h"

Text MachineId(char *buffer, size_t size)
{
	Text id = Trimmed(ReadSmallFile("/var/lib/dbus/machine-id", buffer, size));

	return id.length > 0 ? id : Trimmed(ReadSmallFile("/etc/machine-id", buffer, size));
}

// /proc/PID/stat begins "PID (NAME) STATE"; the name may hold any byte,
// a parenthesis too, but no field after it does.
Text ProcessName(pid_t pid, char *buffer, size_t size)
{
	char path[sizeof "/proc/4294967295/stat"], stat[128];

	if (pid <= 0)
		return Text{buffer, 0};
	snprintf(path, sizeof path, "/proc/%d/stat", (int)pid);
	Text line = ReadSmallFile(path, stat, sizeof stat);
	const char *open = (const char *)memchr(line.bytes, '(', line.length);
	const char *close = (const char *)memrchr(line.bytes, ')', line.length);
	const char *end = line.bytes + line.length;
	// A zombie has ended, though its parent has not reaped it yet.
	if (!open || !close || close < open || end - close < 3 || close[2] == 'Z' || close[2] == 'X')
		return Text{buffer, 0};
	size_t length = (size_t)(close - open - 1);
	memcpy(buffer, open + 1, length < size ? length : size);
	return Text{buffer, length < size ? length : size};
}
