#ifndef KBLAYOUTS_XAUTHORITY_H
#define KBLAYOUTS_XAUTHORITY_H

#include <stdint.h>

#include "text.h"
#include "x_wire.h"

// The families of the addresses the X authority file keys its cookies by.
enum {
	X_FAMILY_INTERNET = 0,
	X_FAMILY_INTERNET6 = 6,
	X_FAMILY_LOCAL = 256,
	X_FAMILY_WILD = 65535,
};

// Finds in the bytes of an X authority file the MIT-MAGIC-COOKIE-1 that
// libXau would pick for a server at address, of family, with the display
// number given as text: the first entry for the family FamilyWild, or for
// the same family and address, whose number is empty or the same. The
// file is a list of entries, each a family, then the address, the number,
// the protocol's name and its data, each a length and its bytes; every
// number is two bytes, most significant first. The cookie points into the
// file. False where none is found before the list ends or is cut short.
bool FindXCookie(Text file, uint16_t family, Text address, Text number, XCookie *cookie);

// The same in the user's file: XAUTHORITY, else .Xauthority in HOME.
bool FindUserXCookie(uint16_t family, Text address, Text number, XCookie *cookie);

#endif
