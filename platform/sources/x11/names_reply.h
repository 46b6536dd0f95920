#ifndef KBLAYOUTS_NAMES_REPLY_H
#define KBLAYOUTS_NAMES_REPLY_H

#include <stddef.h>

#include "symbols_name.h"
#include "x_protocol.h"

// The atoms an XKB GetNames reply of size bytes carries for the symbols
// name and for each group's name, X_ATOM_NONE where it has none. Returns
// false for a reply that is shorter than its counts say.
bool ReadNamesReply(const void *reply, size_t size, XAtom *symbols,
    XAtom groups[XKB_MAX_GROUPS]);

#endif
