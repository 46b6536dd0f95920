#include "machine_query.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "config_words.h"
#include "layout_identifiers.h"
#include "query.h"

// Longer files than this are read only this far.
enum { CONFIG_FILE_MAX = 64 * 1024 };

static char contents[CONFIG_FILE_MAX];

// The start of the regular file at path; empty where there is none.
static Text ReadConfigFile(const char *path)
{
	struct stat info;
	size_t length = 0;
	int fd = open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);

	if (fd < 0)
		return Text{contents, 0};
	if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
		ssize_t got;
		while (length < sizeof contents &&
		    (got = read(fd, contents + length, sizeof contents - length)) > 0)
			length += (size_t)got;
	}
	close(fd);
	return Text{contents, length};
}

static Text TextOf(const ConfigValue *value)
{
	return Text{value->bytes, value->length};
}

static int ShellFileLayouts(const char *path, const WindowsLayout *found[])
{
	Text file = ReadConfigFile(path);
	ConfigValue layouts, variants;

	ShellValue(file, "XKBLAYOUT", &layouts);
	ShellValue(file, "XKBVARIANT", &variants);
	return ListedLayouts(TextOf(&layouts), TextOf(&variants), found);
}

// Debian's and Ubuntu's, which console-setup and X share.
static int DebianLayouts(const WindowsLayout *found[])
{
	return ShellFileLayouts("/etc/default/keyboard", found);
}

// Where systemd keeps the X layout beside the console's (Fedora, Arch).
static int VconsoleLayouts(const WindowsLayout *found[])
{
	return ShellFileLayouts("/etc/vconsole.conf", found);
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
static int ConsoleKeymapLayouts(const WindowsLayout *found[])
{
	ConfigValue keymap, layouts, variants;

	ShellValue(ReadConfigFile("/etc/vconsole.conf"), "KEYMAP", &keymap);
	if (keymap.length == 0 ||
	    !KbdModelMapRow(ReadConfigFile("/usr/share/systemd/kbd-model-map"), TextOf(&keymap),
	    &layouts, &variants))
		return 0;
	return ListedLayouts(TextOf(&layouts), TextOf(&variants), found);
}

// In the order systemd-localed reads them, Debian's file first.
static int (*const MACHINE_SOURCES[])(const WindowsLayout *found[]) = {
	DebianLayouts,
	VconsoleLayouts,
	XorgLayouts,
	ConsoleKeymapLayouts,
};

int QueryMachineLayouts(int capacity, uint32_t *hklList)
{
	const WindowsLayout *layouts[MAX_LAYOUTS];

	for (auto source : MACHINE_SOURCES) {
		int count = source(layouts);
		if (count > 0)
			return LayoutIdentifiers(layouts, count, capacity, hklList);
	}
	return 0;
}
