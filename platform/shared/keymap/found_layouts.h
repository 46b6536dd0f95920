#ifndef KBLAYOUTS_FOUND_LAYOUTS_H
#define KBLAYOUTS_FOUND_LAYOUTS_H

#include "layout_tables.h"
#include "query.h"

// Which layout is in use where the source does not say, or was not asked.
static const int NO_ACTIVE = -1;

// What a source answers: the layouts of the list the user switches
// between, in order, as the Windows keyboards they are (NULL for a
// language the tables lack), and the position of the one in use.
struct FoundLayouts {
	int count;
	int active;
	const WindowsLayout *layouts[MAX_LAYOUTS];
};

#endif
