#ifndef KBLAYOUTS_CONFIG_VALUE_H
#define KBLAYOUTS_CONFIG_VALUE_H

#include "text.h"

// A value read from a configuration file, its quotes or escapes undone.
enum { CONFIG_VALUE_MAX = 4096 };

struct ConfigValue {
	char bytes[CONFIG_VALUE_MAX];
	size_t length;
};

static inline Text TextOf(const ConfigValue *value)
{
	return Text{value->bytes, value->length};
}

#endif
