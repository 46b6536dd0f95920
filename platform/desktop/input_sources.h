#ifndef KBLAYOUTS_INPUT_SOURCES_H
#define KBLAYOUTS_INPUT_SOURCES_H

#include "layout_tables.h"
#include "text.h"

// One of GNOME's input sources: its type, "xkb" or "ibus", and its id,
// "us+dvorak" or "hangul".
struct InputSource {
	Text type;
	Text id;
};

// Writes the language IBus gives an engine, "ko" for "hangul", into
// language, at most size - 1 bytes and a NUL, and returns its length; 0
// for an engine IBus does not describe.
typedef size_t (*EngineLanguage)(void *context, Text engine, char *language,
    size_t size);

// Finds what Windows makes of an input source: an xkb source is its
// layout, an ibus source its engine's language, which an m17n engine
// carries in its name ("m17n:hi:itrans"). *layout becomes NULL for a
// language the tables lack. False for a source that GNOME's switcher leaves out: of another
// type, an xkb layout the registry lacks, an engine IBus does not
// describe.
bool InputSourceLayout(InputSource source, EngineLanguage engineLanguage,
    void *context, const WindowsLayout **layout);

#endif
