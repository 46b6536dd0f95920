#ifndef KBLAYOUTS_IBUS_ENGINES_H
#define KBLAYOUTS_IBUS_ENGINES_H

#include "gio.h"
#include "text.h"

// Where IBus's components describe their engines.
#define IBUS_COMPONENT_DIRECTORY "/usr/share/ibus/component"

// The language that the component files (*.xml) in directory give the
// engine named engine, "ko" for "hangul", in language: at most size - 1
// bytes and a NUL. Returns its length, 0 where no file describes the
// engine. The files are parsed by GLib's GMarkup.
size_t IbusEngineLanguage(const Gio *gio, const char *directory, Text engine,
    char *language, size_t size);

// The same of the engines installed in IBUS_COMPONENT_DIRECTORY, shaped as
// an EngineLanguage whose context is the Gio.
size_t InstalledEngineLanguage(void *gio, Text engine, char *language, size_t size);

#endif
