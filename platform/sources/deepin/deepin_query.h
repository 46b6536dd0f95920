#ifndef KBLAYOUTS_DEEPIN_QUERY_H
#define KBLAYOUTS_DEEPIN_QUERY_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of Deepin's list: the UserLayoutList property
// ("layout;variant" each) of dde-daemon's keyboard on the session bus, as
// v23 names it, else as v20 does, and where asked, the one its
// CurrentLayout names. Its keymap holds the layout in use and us. Returns
// false where neither answers with a list of strings, or the list names
// no layout.
bool QueryDeepinLayouts(Query *query, FoundLayouts *found);

#endif
