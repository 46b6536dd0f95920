#ifndef KBLAYOUTS_ENGINE_LAYOUT_H
#define KBLAYOUTS_ENGINE_LAYOUT_H

#include "layout_tables.h"
#include "text.h"

// Writes the language IBus gives an engine, "ko" for "hangul", into
// language, at most size - 1 bytes and a NUL, and returns its length; 0
// for an engine IBus does not describe.
typedef size_t (*EngineLanguage)(void *context, Text engine, char *language,
    size_t size);

// Finds what Windows makes of an IBus engine: an xkb engine
// ("xkb:us:dvorak:eng") is its XKB layout; an m17n engine is of the
// language its name carries ("m17n:hi:itrans"); any other, of the language
// IBus describes it with. *layout becomes NULL for a language the tables
// lack. False for an engine IBus would not offer: an xkb engine of a
// layout the registry lacks, another engine IBus does not describe.
bool IbusEngineLayout(Text engine, EngineLanguage engineLanguage, void *context,
    const WindowsLayout **layout);

#endif
