#ifndef KBLAYOUTS_KCONFIG_H
#define KBLAYOUTS_KCONFIG_H

#include "config_value.h"
#include "text.h"

// What KDE's configuration files give a key, its escapes undone. A value
// longer than CONFIG_VALUE_MAX bytes is taken as none.
struct KConfigValue {
	bool found;
	bool locked;
	ConfigValue value;
};

// At most this many keys are asked for at once.
enum { KCONFIG_KEYS_MAX = 4 };

// Reads the keys of a group ("Layout") of the configuration file name
// ("kxkbrc") as KConfig does: each file of $XDG_CONFIG_DIRS (/etc/xdg), the
// last first, then the user's in $XDG_CONFIG_HOME (~/.config), a later
// file's value replacing an earlier one's, unless the earlier file locked
// it with [$i] on its key, on its group, or on the whole file.
// Translations (Key[de]=) are left out. Each file is read as far as
// ReadSmallFile reads it.
void ReadKConfig(const char *name, const char *group, const char *const keys[],
    KConfigValue values[], int count);

// The same for the text of one file, read after those whose values the
// values hold. False where the file locks itself whole, so that no later
// file is read. Any bytes are safe to pass.
bool ApplyKConfigFile(Text file, const char *group, const char *const keys[],
    KConfigValue values[], int count);

// Whether a value reads as true, as KConfig reads a bool: any value but
// false, no, off and 0, in any case; fallback where the files give none.
bool KConfigTrue(const KConfigValue *value, bool fallback);

// Splits a list value ("us,de") into its items, in place: a backslash
// keeps the byte after it, and "\0" is a list of one empty item. Returns
// how many, at most max.
int SplitKConfigList(ConfigValue *value, Text items[], int max);

#endif
