#ifndef KBLAYOUTS_FCITX4_QUERY_H
#define KBLAYOUTS_FCITX4_QUERY_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of fcitx 4's enabled input methods, in order, and where
// asked, its current input method's, where fcitx 4 answers: on the bus
// FCITX_DBUS_ADDRESS names, else its own bus where its address file checks
// out, else the session bus. Returns false where it does not, its answer
// is not of the type it gives, or no enabled input method is one it
// describes.
bool QueryFcitx4Layouts(Query *query, FoundLayouts *found);

#endif
