#include "local_system.h"

#include <stdio.h>

#include "small_file.h"

Text MachineId(char *buffer, size_t size)
{
	Text id = Trimmed(ReadSmallFile("/var/lib/dbus/machine-id", buffer, size));

	return id.length > 0 ? id : Trimmed(ReadSmallFile("/etc/machine-id", buffer, size));
}

Text ProcessName(pid_t pid, char *buffer, size_t size)
{
	char path[sizeof "/proc/4294967295/comm"];

	if (pid <= 0)
		return Text{buffer, 0};
	snprintf(path, sizeof path, "/proc/%d/comm", (int)pid);
	return Trimmed(ReadSmallFile(path, buffer, size));
}
