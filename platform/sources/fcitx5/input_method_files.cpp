#include "input_method_files.h"

#include <stdio.h>
#include <stdlib.h>

#include "small_file.h"
#include "user_directory.h"

// Longer description files than this are read only this far.
enum { CONF_MAX = 16 * 1024, NAME_MAX_LENGTH = 128 };

bool ConfLanguage(Text file, char *language, size_t size)
{
	bool inputMethod = false;

	while (file.length > 0) {
		Text line = Trimmed(SplitAt(file, '\n', &file)), value;
		if (line.length > 0 && line.bytes[0] == '[') {
			inputMethod = TextIs(line, "[InputMethod]");
			continue;
		}
		Text key = Trimmed(SplitAt(line, '=', &value));
		if (!inputMethod || !TextIs(key, "LangCode") || value.bytes == NULL)
			continue;
		value = Trimmed(value);
		if (value.length >= size || memchr(value.bytes, '\0', value.length))
			return false;
		memcpy(language, value.bytes, value.length);
		language[value.length] = '\0';
		return true;
	}
	return false;
}

// The description file at path, where there is one.
static bool FileLanguage(const char *path, char *language, size_t size)
{
	static char contents[CONF_MAX];

	return ConfLanguage(ReadSmallFile(path, contents, sizeof contents), language, size);
}

// The file of the input method name in the data folder dataDir.
static bool FolderLanguage(Text dataDir, Text name, char *language, size_t size)
{
	char path[1024];
	int length = snprintf(path, sizeof path, "%.*s/fcitx5/inputmethod/%.*s.conf",
	    (int)dataDir.length, dataDir.bytes, (int)name.length, name.bytes);

	return dataDir.length > 0 && length > 0 && length < (int)sizeof path &&
	    FileLanguage(path, language, size);
}

bool DescribedLanguage(Text name, char *language, size_t size)
{
	char userData[1024];

	if (name.length == 0 || name.length > NAME_MAX_LENGTH || name.bytes[0] == '.' ||
	    memchr(name.bytes, '/', name.length) || memchr(name.bytes, '\0', name.length))
		return false;
	if (FolderLanguage(UserDirectory("XDG_DATA_HOME", ".local/share", userData, sizeof userData),
	    name, language, size))
		return true;
	const char *dirs = secure_getenv("XDG_DATA_DIRS");
	Text list = dirs && *dirs ? Text{dirs, strlen(dirs)} : Text{"/usr/local/share:/usr/share",
	    sizeof "/usr/local/share:/usr/share" - 1};
	while (list.length > 0)
		if (FolderLanguage(SplitAt(list, ':', &list), name, language, size))
			return true;
	return false;
}
