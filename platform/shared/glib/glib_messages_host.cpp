#include "glib_messages.h"

// A host may use GLib itself and have set where its messages go: the
// library leaves that, which GLib keeps for the whole process, as it is.
bool HandleGlibMessages(void *)
{
	return true;
}
