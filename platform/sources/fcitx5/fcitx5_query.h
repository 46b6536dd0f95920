#ifndef KBLAYOUTS_FCITX5_QUERY_H
#define KBLAYOUTS_FCITX5_QUERY_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of the items of fcitx5's current group, in order, where
// fcitx5 runs on the session bus, and where asked, its current input
// method's. Returns false where it does not, its answers are not of the
// types it gives, or the group has no item it describes.
bool QueryFcitx5Layouts(Query *query, FoundLayouts *found);

#endif
