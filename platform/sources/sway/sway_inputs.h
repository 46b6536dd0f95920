#ifndef KBLAYOUTS_SWAY_INPUTS_H
#define KBLAYOUTS_SWAY_INPUTS_H

#include "text.h"

// The layout in use that sway's list of input devices, its GET_INPUTS
// reply, gives: the xkb_active_layout_index of the first device of type
// "keyboard" whose xkb_layout_names is not empty, a position in that list.
// -1 where the text is not such a list (JSON cut short, nested past
// reason, of other types), no keyboard has layouts, or the index is not
// one of them.
int ActiveLayoutIndex(Text inputs);

#endif
