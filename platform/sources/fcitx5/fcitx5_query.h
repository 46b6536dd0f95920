#ifndef KBLAYOUTS_FCITX5_QUERY_H
#define KBLAYOUTS_FCITX5_QUERY_H

#include <stdint.h>

// The layouts of the items of fcitx5's current group, in order, shaped
// like QueryLayouts, in *count, where fcitx5 runs on the session bus.
// Returns false, with nothing reported, where it does not, its answers
// are not of the types it gives, or the group has no item it describes.
bool QueryFcitx5Layouts(int capacity, uint32_t *hklList, int *count);

#endif
