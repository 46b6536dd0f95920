#include "machine_query.h"

#include "config_words.h"
#include "query.h"
#include "small_file.h"

// Longer files than this are read only this far.
enum { CONFIG_FILE_MAX = 64 * 1024 };

static char contents[CONFIG_FILE_MAX];

static Text ReadConfigFile(const char *path)
{
	return ReadSmallFile(path, contents, sizeof contents);
}

// A file of shell-style assignments: its XKB layouts, and, if asked for,
// its console keymap.
static int ShellFileLayouts(const char *path, const WindowsLayout *found[],
    ConfigValue *keymap)
{
	Text file = ReadConfigFile(path);
	ConfigValue layouts, variants;

	ShellValue(file, "XKBLAYOUT", &layouts);
	ShellValue(file, "XKBVARIANT", &variants);
	if (keymap)
		ShellValue(file, "KEYMAP", keymap);
	return ListedLayouts(TextOf(&layouts), TextOf(&variants), found);
}

static int XorgLayouts(const WindowsLayout *found[])
{
	Text file = ReadConfigFile("/etc/X11/xorg.conf.d/00-keyboard.conf");
	ConfigValue layouts, variants;

	XorgOption(file, "XkbLayout", &layouts);
	XorgOption(file, "XkbVariant", &variants);
	return ListedLayouts(TextOf(&layouts), TextOf(&variants), found);
}

// A console keymap alone, as systemd maps it to X.
static int ConsoleKeymapLayouts(const ConfigValue *keymap, const WindowsLayout *found[])
{
	ConfigValue layouts, variants;

	if (keymap->length == 0 ||
	    !KbdModelMapRow(ReadConfigFile("/usr/share/systemd/kbd-model-map"), TextOf(keymap),
	    &layouts, &variants))
		return 0;
	return ListedLayouts(TextOf(&layouts), TextOf(&variants), found);
}

// In the order systemd-localed reads them, Debian's file (which
// console-setup and X share there) first; /etc/vconsole.conf keeps the X
// layout beside the console's on Fedora and Arch.
void QueryMachineLayouts(FoundLayouts *found)
{
	const WindowsLayout **layouts = found->layouts;
	ConfigValue keymap;

	int count = ShellFileLayouts("/etc/default/keyboard", layouts, NULL);
	if (count == 0)
		count = ShellFileLayouts("/etc/vconsole.conf", layouts, &keymap);
	if (count == 0)
		count = XorgLayouts(layouts);
	if (count == 0)
		count = ConsoleKeymapLayouts(&keymap, layouts);
	found->count = count;
}
