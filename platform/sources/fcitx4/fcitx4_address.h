#ifndef KBLAYOUTS_FCITX4_ADDRESS_H
#define KBLAYOUTS_FCITX4_ADDRESS_H

#include <sys/types.h>

#include "text.h"

// fcitx 4 serves its list on a bus of its own too, which its address
// file, fcitx/dbus/MACHINEID-N in the user's configuration folder,
// describes: the bus's address, one NUL, then the process IDs of that
// bus's dbus-daemon and of fcitx as two native pid_t.
struct Fcitx4AddressFile {
	Text address;
	pid_t daemon;
	pid_t fcitx;
};

// Reads the file's bytes into *parsed; false where they are not exactly
// an address, its NUL and the two IDs.
bool ReadFcitx4AddressFile(Text file, Fcitx4AddressFile *parsed);

// The number N of the display that DISPLAY names, as fcitx 4 takes it:
// the digits after its colon, up to a dot ("host:10.0" gives 10); 0
// without a colon or a DISPLAY.
int Fcitx4DisplayNumber();

// The address of fcitx 4's own bus, NUL-terminated in address, where its
// file for the display is one, the address is a Unix socket's, and both
// processes run, as "dbus-daemon" and "fcitx"; false otherwise.
bool Fcitx4OwnBus(char *address, size_t size);

#endif
