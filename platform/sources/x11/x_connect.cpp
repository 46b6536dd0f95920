#include "x_connect.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "deadline.h"
#include "socket_io.h"
#include "xauthority.h"

enum { X_TCP_PORT = 6000, HOST_MAX = 256 };

// What DISPLAY names: a protocol ("unix", "tcp") where it gives one, a
// host, empty or "unix" for this machine, and the display's number.
struct XDisplay {
	Text protocol;
	Text host;
	int number;
};

static bool ParseDisplay(const char *name, XDisplay *display)
{
	Text rest = TextOf(name);
	const char *slash = strrchr(name, '/');
	const char *colon;

	display->protocol = Text{NULL, 0};
	if (slash) {
		display->protocol = Text{name, (size_t)(slash - name)};
		rest = TextOf(slash + 1);
	}
	colon = (const char *)memrchr(rest.bytes, ':', rest.length);
	if (!colon)
		return false;
	display->host = Text{rest.bytes, (size_t)(colon - rest.bytes)};
	const char *digit = colon + 1;
	display->number = 0;
	for (; *digit >= '0' && *digit <= '9'; digit++)
		if ((display->number = display->number * 10 + (*digit - '0')) > 0xFFFF - X_TCP_PORT)
			return false;
	return digit > colon + 1 && (*digit == '\0' || *digit == '.');
}

// Connects fd to address, waiting until the deadline; closes it and
// returns -1 where that fails.
static int Connect(const Query *query, int fd, const struct sockaddr *address, socklen_t size)
{
	int error = 0;
	socklen_t length = sizeof error;

	if (fd >= 0 && connect(fd, address, size) != 0 && (errno != EINPROGRESS ||
	    !WaitWritable(fd, query) || getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 ||
	    error != 0)) {
		close(fd);
		return -1;
	}
	return fd;
}

static int ConnectAddress(const Query *query, const struct sockaddr *address, socklen_t size)
{
	return Connect(query, socket(address->sa_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0),
	    address, size);
}

// This machine's socket for the display: the abstract name, then the file.
static int ConnectLocal(const Query *query, int number)
{
	struct sockaddr_un address = {};
	address.sun_family = AF_UNIX;
	int length = snprintf(address.sun_path + 1, sizeof address.sun_path - 1,
	    "/tmp/.X11-unix/X%d", number);
	socklen_t size = (socklen_t)(offsetof(struct sockaddr_un, sun_path) + 1 + length);

	int fd = ConnectAddress(query, (struct sockaddr *)&address, size);
	return fd >= 0 ? fd : ConnectLocalSocket(address.sun_path + 1);
}

static int ConnectV4(const Query *query, struct in_addr host, uint16_t port)
{
	struct sockaddr_in address = {};
	address.sin_family = AF_INET;
	address.sin_port = port;
	address.sin_addr = host;
	return ConnectAddress(query, (struct sockaddr *)&address, sizeof address);
}

static int ConnectV6(const Query *query, struct in6_addr host, uint16_t port)
{
	struct sockaddr_in6 address = {};
	address.sin6_family = AF_INET6;
	address.sin6_port = port;
	address.sin6_addr = host;
	return ConnectAddress(query, (struct sockaddr *)&address, sizeof address);
}

// The addresses the resolver gives a host's name, in its order.
static int ConnectResolved(const Query *query, const char *name, uint16_t port)
{
	struct addrinfo hints = {}, *found;
	int fd = -1;

	hints.ai_socktype = SOCK_STREAM;
	hints.ai_flags = AI_ADDRCONFIG;
	if (getaddrinfo(name, NULL, &hints, &found) != 0)
		return -1;
	for (struct addrinfo *at = found; at && fd < 0; at = at->ai_next) {
		if (at->ai_family == AF_INET)
			fd = ConnectV4(query, ((struct sockaddr_in *)at->ai_addr)->sin_addr, port);
		else if (at->ai_family == AF_INET6)
			fd = ConnectV6(query, ((struct sockaddr_in6 *)at->ai_addr)->sin6_addr, port);
	}
	freeaddrinfo(found);
	return fd;
}

// The host's port for the display, over IPv4 or IPv6. This machine, by
// no name or localhost, and the addresses written as numbers need no
// resolver.
static int ConnectTcp(const Query *query, Text host, int number)
{
	char name[HOST_MAX];
	struct in_addr v4;
	struct in6_addr v6;
	uint16_t port = htons((uint16_t)(X_TCP_PORT + number));

	if (host.length >= sizeof name || memchr(host.bytes, '\0', host.length))
		return -1;
	memcpy(name, host.bytes, host.length);
	name[host.length] = '\0';
	if (host.length == 0 || TextIs(host, "localhost")) {
		v4.s_addr = htonl(INADDR_LOOPBACK);
		int fd = ConnectV4(query, v4, port);
		return fd >= 0 ? fd : ConnectV6(query, in6addr_loopback, port);
	}
	if (inet_pton(AF_INET, name, &v4) == 1)
		return ConnectV4(query, v4, port);
	if (inet_pton(AF_INET6, name, &v6) == 1)
		return ConnectV6(query, v6, port);
	return ConnectResolved(query, name, port);
}

static int OpenDisplay(const Query *query, const XDisplay *display)
{
	bool tcp = display->protocol.bytes ? !TextIs(display->protocol, "unix")
	    : display->host.length > 0 && !TextIs(display->host, "unix");

	if (tcp)
		return ConnectTcp(query, display->host, display->number);
	int fd = ConnectLocal(query, display->number);
	if (fd < 0 && !display->protocol.bytes && display->host.length == 0)
		fd = ConnectTcp(query, display->host, display->number);
	return fd;
}

// The family and address the server knows this client by, as libxcb
// offers them: this machine's name for a local socket or a loopback
// address.
static bool PeerAddress(int fd, uint16_t *family, char *address, size_t size, Text *text)
{
	struct sockaddr_storage peer;
	socklen_t length = sizeof peer;
	const void *bytes = NULL;
	size_t count = 0;

	if (getpeername(fd, (struct sockaddr *)&peer, &length) != 0)
		return false;
	*family = X_FAMILY_LOCAL;
	if (peer.ss_family == AF_INET6) {
		const struct in6_addr *v6 = &((struct sockaddr_in6 *)&peer)->sin6_addr;
		if (IN6_IS_ADDR_V4MAPPED(v6)) {
			bytes = v6->s6_addr + 12;
			count = 4;
		} else if (!IN6_IS_ADDR_LOOPBACK(v6)) {
			*family = X_FAMILY_INTERNET6;
			bytes = v6->s6_addr;
			count = 16;
		}
	} else if (peer.ss_family == AF_INET) {
		bytes = &((struct sockaddr_in *)&peer)->sin_addr;
		count = 4;
	} else if (peer.ss_family != AF_UNIX) {
		return false;
	}
	if (count == 4 && memcmp(bytes, "\x7f\0\0\1", 4) != 0)
		*family = X_FAMILY_INTERNET;
	if (*family != X_FAMILY_LOCAL) {
		memcpy(address, bytes, count);
		*text = Text{address, count};
		return true;
	}
	if (gethostname(address, size) != 0)
		return false;
	address[size - 1] = '\0';
	*text = TextOf(address);
	return true;
}

bool ConnectX(const Query *query, XConnection *connection)
{
	const char *name = secure_getenv("DISPLAY");
	char address[HOST_MAX], number[16];
	XDisplay display;
	XCookie cookie = {{NULL, 0}, {NULL, 0}};
	uint16_t family;
	Text peer;

	if (!name || !ParseDisplay(name, &display))
		return false;
	int fd = OpenDisplay(query, &display);
	if (fd < 0)
		return false;
	snprintf(number, sizeof number, "%d", display.number);
	if (PeerAddress(fd, &family, address, sizeof address, &peer))
		FindUserXCookie(family, peer, TextOf(number), &cookie);
	if (SetUpX(connection, query, fd, &cookie))
		return true;
	close(fd);
	return false;
}

void CloseX(XConnection *connection)
{
	close(connection->fd);
}
