#ifndef KBLAYOUTS_SWAY_IPC_H
#define KBLAYOUTS_SWAY_IPC_H

#include "query_state.h"

// The position in sway's keymap of the layout in use, asked of sway's IPC
// socket, which SWAYSOCK names, as sway-ipc(7) describes: its keyboards'
// xkb_active_layout_index (see sway_inputs.h). -1 where there is no such
// socket or sway does not say.
int SwayLayoutInUse(const Query *query);

#endif
