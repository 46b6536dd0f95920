#ifndef KBLAYOUTS_USER_DIRECTORY_H
#define KBLAYOUTS_USER_DIRECTORY_H

#include <stddef.h>

#include "text.h"

// The user's directory that variable names ("XDG_CONFIG_HOME") where it
// is absolute, else underHome (".config") in $HOME, written into buffer;
// empty where neither is known.
Text UserDirectory(const char *variable, const char *underHome, char *buffer, size_t size);

// The path of a file a daemon writes for the session in the user's
// configuration folder, $XDG_CONFIG_HOME/folder/MACHINEID-suffix, as IBus
// and fcitx 4 name their address files, written into path; false where
// the folder or the machine's ID is not known, or it does not fit.
bool SessionFilePath(const char *folder, Text suffix, char *path, size_t size);

#endif
