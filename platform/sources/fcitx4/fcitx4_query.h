#ifndef KBLAYOUTS_FCITX4_QUERY_H
#define KBLAYOUTS_FCITX4_QUERY_H

#include <stdint.h>

// The layouts of fcitx 4's enabled input methods, in order, shaped like
// QueryLayouts, in *count, where fcitx 4 answers: on the bus
// FCITX_DBUS_ADDRESS names, else its own bus where its address file checks
// out, else the session bus. Returns false, with nothing reported, where
// it does not, its answer is not of the type it gives, or no enabled
// input method is one it describes.
bool QueryFcitx4Layouts(int capacity, uint32_t *hklList, int *count);

#endif
