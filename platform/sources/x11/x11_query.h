#ifndef KBLAYOUTS_X11_QUERY_H
#define KBLAYOUTS_X11_QUERY_H

#include <stdint.h>

#include "x_wire.h"

// The layouts of the X server's keymap, shaped like QueryLayouts.
int QueryXLayouts(int capacity, uint32_t *hklList);

// The same of the server on a connection that is set up.
int QueryXServer(XConnection *connection, int capacity, uint32_t *hklList);

#endif
