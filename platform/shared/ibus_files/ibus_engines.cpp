#include "ibus_engines.h"

#include <dirent.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

// Longer engine names and languages than these are taken as none.
enum { FIELD_MAX = 128 };

struct Field {
	char bytes[FIELD_MAX];
	size_t length;
};

// What the parse of a component file has seen: the <engine> element it is
// in, and the <name> or <language> of it being read.
struct Search {
	Text wanted;
	int depth;
	int engineDepth;
	Field *reading;
	Field name;
	Field language;
	bool found;
	Field answer;
};

static bool Is(const gchar *element, const char *name)
{
	return strcmp(element, name) == 0;
}

static void Start(GMarkupParseContext *, const gchar *element, const gchar **,
    const gchar **, gpointer data, GError **)
{
	Search *search = (Search *)data;

	search->depth++;
	search->reading = NULL;
	if (search->engineDepth == 0 && Is(element, "engine")) {
		search->engineDepth = search->depth;
		search->name.length = search->language.length = 0;
	} else if (search->engineDepth != 0 && search->depth == search->engineDepth + 1) {
		if (Is(element, "name"))
			search->reading = &search->name;
		else if (Is(element, "language"))
			search->reading = &search->language;
	}
	if (search->reading)
		search->reading->length = 0;
}

static void Read(GMarkupParseContext *, const gchar *text, gsize length,
    gpointer data, GError **)
{
	Field *field = ((Search *)data)->reading;

	if (!field || field->length > FIELD_MAX)
		return;
	if (length > FIELD_MAX - field->length) {
		field->length = FIELD_MAX + 1;
		return;
	}
	memcpy(field->bytes + field->length, text, length);
	field->length += length;
}

static void End(GMarkupParseContext *, const gchar *, gpointer data, GError **)
{
	Search *search = (Search *)data;

	search->reading = NULL;
	if (search->depth == search->engineDepth) {
		search->engineDepth = 0;
		if (!search->found && search->name.length == search->wanted.length &&
		    memcmp(search->name.bytes, search->wanted.bytes, search->wanted.length) == 0 &&
		    search->language.length <= FIELD_MAX) {
			search->found = true;
			search->answer = search->language;
		}
	}
	search->depth--;
}

static const GMarkupParser PARSER = {Start, End, Read, NULL, NULL};

static bool IsComponentFile(const char *name)
{
	size_t length = strlen(name);
	return length > sizeof ".xml" - 1 &&
	    strcmp(name + length - (sizeof ".xml" - 1), ".xml") == 0;
}

static void SearchFile(const Gio *gio, const char *path, Search *search)
{
	gchar *contents = NULL;
	gsize length = 0;

	if (!gio->fileGetContents(path, &contents, &length, NULL))
		return;
	GMarkupParseContext *context = gio->markupParseContextNew(&PARSER,
	    (GMarkupParseFlags)0, search, NULL);
	search->depth = search->engineDepth = 0;
	search->reading = NULL;
	gio->markupParseContextParse(context, contents, (gssize)length, NULL);
	gio->markupParseContextFree(context);
	gio->free(contents);
}

// The one large component file describes the xkb engines, which are named
// without it: the small files are searched first.
enum { SMALL_COMPONENT = 64 * 1024 };

static bool IsSmall(const char *path)
{
	struct stat info;
	return stat(path, &info) == 0 && info.st_size <= SMALL_COMPONENT;
}

size_t IbusEngineLanguage(const Gio *gio, const char *directory, Text engine,
    char *language, size_t size)
{
	if (engine.length == 0 || engine.length > FIELD_MAX)
		return 0;
	DIR *components = opendir(directory);
	if (!components)
		return 0;

	Search search = {};
	search.wanted = engine;
	for (int pass = 0; pass < 2 && !search.found; pass++) {
		rewinddir(components);
		for (dirent *entry; !search.found && (entry = readdir(components));) {
			char path[PATH_MAX];
			if (IsComponentFile(entry->d_name) &&
			    snprintf(path, sizeof path, "%s/%s", directory, entry->d_name) < (int)sizeof path &&
			    IsSmall(path) == (pass == 0))
				SearchFile(gio, path, &search);
		}
	}
	closedir(components);
	if (!search.found || search.answer.length >= size)
		return 0;
	memcpy(language, search.answer.bytes, search.answer.length);
	language[search.answer.length] = '\0';
	return search.answer.length;
}

size_t InstalledEngineLanguage(void *gio, Text engine, char *language, size_t size)
{
	return IbusEngineLanguage((const Gio *)gio, IBUS_COMPONENT_DIRECTORY, engine,
	    language, size);
}
