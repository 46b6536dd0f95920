#ifndef KBLAYOUTS_GIVEN_SOCKET_H
#define KBLAYOUTS_GIVEN_SOCKET_H

// WAYLAND_SOCKET, the number of a socket a compositor handed the process
// for its Wayland client to take: the program takes it, as any Wayland
// client does; the library leaves it to its host, whose descriptor it is,
// and gives NULL.
const char *GivenWaylandSocket();

#endif
