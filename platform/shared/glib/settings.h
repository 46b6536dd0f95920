#ifndef KBLAYOUTS_SETTINGS_H
#define KBLAYOUTS_SETTINGS_H

#include "gio.h"

// The value of a GSettings key, as a GSettings object would read it, if
// the key's type is type ("a(ss)"); the caller unrefs it. NULL where the
// schema is not installed, lacks the key, or gives it another type.
GVariant *ReadSetting(const Gio *gio, const char *schemaId, const char *key,
    const char *type);

#endif
