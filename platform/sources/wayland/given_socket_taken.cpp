#include "given_socket.h"

#include <stdlib.h>

const char *GivenWaylandSocket()
{
	return secure_getenv("WAYLAND_SOCKET");
}
