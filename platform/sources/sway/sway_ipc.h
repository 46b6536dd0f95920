#ifndef KBLAYOUTS_SWAY_IPC_H
#define KBLAYOUTS_SWAY_IPC_H

#include "query_state.h"

// sway's IPC socket, which SWAYSOCK names, as sway-ipc(7) describes it.

// Connects to the socket and asks for the list of input devices
// (GET_INPUTS), which sway answers while the caller asks it other things;
// the socket, or -1 where there is none.
int AskSwayInputs();

// The position in sway's keymap of the layout in use, from the answer on
// the socket AskSwayInputs gave, which it closes: the
// xkb_active_layout_index of its keyboards (see sway_inputs.h). -1 where
// sway does not say so within the query's deadline.
int SwayLayoutInUse(const Query *query, int fd);

#endif
