#ifndef KBLAYOUTS_DEEPIN_QUERY_H
#define KBLAYOUTS_DEEPIN_QUERY_H

#include <stdint.h>

// The layouts of Deepin's list, shaped like QueryLayouts, in *count: the
// UserLayoutList property ("layout;variant" each) of dde-daemon's keyboard
// on the session bus, as v23 names it, else as v20 does. Its keymap holds
// the layout in use and us. Returns false, with nothing reported, where
// neither answers with a list of strings, or the list names no layout.
bool QueryDeepinLayouts(int capacity, uint32_t *hklList, int *count);

#endif
