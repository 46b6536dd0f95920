#ifndef KBLAYOUTS_LAYOUT_LOOKUP_H
#define KBLAYOUTS_LAYOUT_LOOKUP_H

#include "layout_tables.h"
#include "text.h"

// What Windows makes of the layout named "de" or "ch(fr)"; a variant the
// table does not list is taken as its layout. NULL for a layout the
// registry lacks.
const WindowsLayout *FindLayoutByName(Text name);

// The same for a layout and a variant given apart, "de" and "nodeadkeys";
// an empty variant is the layout itself.
const WindowsLayout *FindLayoutAndVariant(Text layout, Text variant);

// What Windows makes of the layout or variant described as "German" or
// "English (Dvorak)". A description the registry lacks that begins like known ones
// ("English (UK, something new)") has the longest one's ("English (UK)").
// NULL where none answers.
const WindowsLayout *FindLayoutByDescription(Text description);

// What Windows makes of the language tagged "ko" or "zh_TW"; a country the
// table does not list is taken as its language alone. NULL for a language
// ICU lacks.
const WindowsLayout *FindLanguage(Text tag);

#endif
