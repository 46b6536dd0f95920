#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "input_sources.h"

// IBus describes one engine here, "hangul", as Korean.
static size_t FakeEngineLanguage(void *, Text engine, char *language, size_t size)
{
	if (engine.length != strlen("hangul") || memcmp(engine.bytes, "hangul", engine.length) != 0)
		return 0;
	snprintf(language, size, "ko");
	return strlen(language);
}

// The LANGID of a source's language, 0 for a language the tables lack, -1
// for a source left out.
static int Langid(const std::string &type, const std::string &id)
{
	InputSource source = {{type.data(), type.size()}, {id.data(), id.size()}};
	const WindowsLayout *language = NULL;
	if (!InputSourceLayout(source, FakeEngineLanguage, NULL, &language))
		return -1;
	return language ? language->langid : 0;
}

TEST(InputSources, LanguageOfEachSource)
{
	static const struct {
		std::string type, id;
		int langid;
	} cases[] = {
		{"xkb", "ch+fr", 0x100C},
		{"xkb", "us+no-such-variant", 0x0409},
		{"xkb", "us+", 0x0409},
		{"xkb", "epo", 0x0000},
		{"xkb", "+dvorak", -1},
		{"xkb", "", -1},
		{"xkb", std::string(1 << 16, 'd'), -1},
		{"xkb", std::string("de\0", 3), -1},
		{"ibus", "hangul", 0x0412},
		{"ibus", "m17n:hi:itrans", 0x0439},
		{"ibus", "m17n:zh_TW:x", 0x0404},
		{"ibus", "m17n:no-such-language:x", 0},
		{"ibus", "m17n::x", -1},
		{"ibus", "m17n:hi", -1},
		{"ibus", "no-such-engine", -1},
		{"ibus", std::string(1 << 16, 'e'), -1},
		{"XKB", "de", -1},
		{"", "de", -1},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Langid(c.type, c.id), c.langid) << c.type << " " << c.id.substr(0, 40);
}
