#ifndef KBLAYOUTS_MACHINE_QUERY_H
#define KBLAYOUTS_MACHINE_QUERY_H

#include "found_layouts.h"

// The layouts of the machine's keyboard configuration, which its console
// and every new session use, none of them said to be in use: the first of
// /etc/default/keyboard, /etc/vconsole.conf's XKB keys, the X server's
// /etc/X11/xorg.conf.d/00-keyboard.conf and /etc/vconsole.conf's console
// keymap, through systemd's kbd-model-map, that names a layout.
void QueryMachineLayouts(FoundLayouts *found);

#endif
