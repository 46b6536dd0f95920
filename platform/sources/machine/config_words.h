#ifndef KBLAYOUTS_CONFIG_WORDS_H
#define KBLAYOUTS_CONFIG_WORDS_H

#include "config_value.h"
#include "layout_tables.h"
#include "text.h"

// Readers of the files that keep a machine's keyboard configuration. Any
// bytes are safe to pass. A value longer than CONFIG_VALUE_MAX bytes is
// taken as none.

// The value of the last assignment of key ("XKBLAYOUT") in a file of
// shell-style KEY=VALUE lines, as the shell reads it: quoted, unquoted or
// in parts, after comments are taken out; empty where none assigns it.
void ShellValue(Text file, const char *key, ConfigValue *value);

// The value of the last line Option "name" "value" in the InputClass
// sections of an xorg.conf file, the option's name compared as the X
// server compares it; empty where none gives it.
void XorgOption(Text file, const char *name, ConfigValue *value);

// The X layouts and variants that systemd's kbd-model-map gives a console
// keymap: the columns xlayout and xvariant of the line whose first column
// is keymap, "-" meaning none. False where no line has it.
bool KbdModelMapRow(Text file, Text keymap, ConfigValue *layouts, ConfigValue *variants);

// What Windows makes of the layouts of a comma-separated list, each with
// the variant at the same place in variants ("de,us" and "nodeadkeys,"),
// in order: NULL for a name the registry lacks. An empty name names none.
// Returns how many, at most MAX_LAYOUTS.
int ListedLayouts(Text layouts, Text variants, const WindowsLayout *found[]);

#endif
