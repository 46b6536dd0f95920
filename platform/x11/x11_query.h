#ifndef KBLAYOUTS_X11_QUERY_H
#define KBLAYOUTS_X11_QUERY_H

#include <stdint.h>

// The layouts of the X server's keymap, shaped like QueryLayouts.
int QueryXLayouts(int capacity, uint32_t *hklList);

#endif
