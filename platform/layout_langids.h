#ifndef KBLAYOUTS_LAYOUT_LANGIDS_H
#define KBLAYOUTS_LAYOUT_LANGIDS_H

#include <stddef.h>
#include <stdint.h>

// The Windows language identifier of an XKB layout ("de") or variant
// ("ch(fr)"); 0 where its language has none. Sorted by name, byte by byte.
struct LayoutLangid {
	const char *name;
	uint16_t langid;
};

extern const LayoutLangid LAYOUT_LANGIDS[];
extern const size_t LAYOUT_LANGID_COUNT;

#endif
