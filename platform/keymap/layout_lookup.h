#ifndef KBLAYOUTS_LAYOUT_LOOKUP_H
#define KBLAYOUTS_LAYOUT_LOOKUP_H

#include "layout_tables.h"
#include "text.h"

// The language of the layout named "de" or "ch(fr)"; a variant the table
// does not list has its layout's. NULL for a layout the registry lacks.
const LayoutLanguage *FindLayoutByName(Text name);

// The language of the layout or variant described as "German" or "English
// (Dvorak)". A description the registry lacks that begins like known ones
// ("English (UK, something new)") has the longest one's ("English (UK)").
// NULL where none answers.
const LayoutLanguage *FindLayoutByDescription(Text description);

// The language tagged "ko" or "zh_TW"; a country the table does not list
// has its language's. NULL for a language ICU lacks.
const LayoutLanguage *FindLanguage(Text tag);

#endif
