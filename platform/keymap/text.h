#ifndef KBLAYOUTS_TEXT_H
#define KBLAYOUTS_TEXT_H

#include <stddef.h>

// Bytes a display server sent: not NUL-terminated, of any value. An empty
// text has length 0.
struct Text {
	const char *bytes;
	size_t length;
};

#endif
