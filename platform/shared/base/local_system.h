#ifndef KBLAYOUTS_LOCAL_SYSTEM_H
#define KBLAYOUTS_LOCAL_SYSTEM_H

#include <sys/types.h>

#include "text.h"

// What the local system says of itself, written into buffer.

// The machine's ID as D-Bus reads it, from /var/lib/dbus/machine-id,
// else /etc/machine-id; empty where neither has one.
Text MachineId(char *buffer, size_t size);

// The name of the process pid ("ibus-daemon"); empty where none runs, a
// zombie included.
Text ProcessName(pid_t pid, char *buffer, size_t size);

#endif
