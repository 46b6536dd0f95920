#ifndef KBLAYOUTS_INPUT_SOURCES_H
#define KBLAYOUTS_INPUT_SOURCES_H

#include "engine_layout.h"
#include "layout_tables.h"
#include "text.h"

// One of a desktop's input sources: its type, "xkb" or "ibus", and its id,
// "us+dvorak" or "hangul".
struct InputSource {
	Text type;
	Text id;
};

// Finds what Windows makes of an input source: an xkb source is its
// layout, an ibus source its engine's (see IbusEngineLayout). *layout
// becomes NULL for a language the tables lack. False for a source that the
// desktop's switcher leaves out: of another type, an xkb layout the
// registry lacks, an engine IBus does not describe.
bool InputSourceLayout(InputSource source, EngineLanguage engineLanguage,
    void *context, const WindowsLayout **layout);

#endif
