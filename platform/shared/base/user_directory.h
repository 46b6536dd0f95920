#ifndef KBLAYOUTS_USER_DIRECTORY_H
#define KBLAYOUTS_USER_DIRECTORY_H

#include <stddef.h>

#include "text.h"

// The user's directory that variable names ("XDG_CONFIG_HOME") where it
// is absolute, else underHome (".config") in $HOME, written into buffer;
// empty where neither is known.
Text UserDirectory(const char *variable, const char *underHome, char *buffer, size_t size);

#endif
