#include "query.h"

#include "wayland_query.h"
#include "x11_query.h"

// A Linux session's layouts: the Wayland compositor's where there is one,
// even none, since Xwayland would then show a default nobody chose; else
// the X server's.
int QueryLayouts(int capacity, uint32_t *hklList)
{
	int count = 0;

	if (QueryWaylandLayouts(capacity, hklList, &count))
		return count;
	return QueryXLayouts(capacity, hklList);
}
