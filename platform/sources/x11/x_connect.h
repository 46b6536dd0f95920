#ifndef KBLAYOUTS_X_CONNECT_H
#define KBLAYOUTS_X_CONNECT_H

#include "x_wire.h"

// Connects to the X server DISPLAY names, as libxcb does: ":N" through
// this machine's socket for display N, its abstract name first, then TCP
// to this machine's port 6000 + N; "unix:N" or "unix/:N" through the
// socket alone; "[PROTOCOL/]HOST:N" through TCP. The screen number after a dot is passed over. Offers the
// user's cookie for it, and sets the connection up. Every wait ends at
// the query's deadline, but for the resolver's, for a host named by a name other
// than localhost. False where any step fails; nothing is left open then.
bool ConnectX(const Query *query, XConnection *connection);

// Closes what ConnectX opened.
void CloseX(XConnection *connection);

#endif
