#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "fcitx5_items.h"
#include "input_method_files.h"
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
		{"ibus", "xkb:ca::fra", 0x0C0C},
		{"ibus", "xkb:jp::jpn", 0x0411},
		{"ibus", "xkb:us", 0x0409},
		{"ibus", "xkb:no-such-layout::eng", -1},
		{"ibus", "xkb:", -1},
		{"ibus", "xkb::dvorak:eng", -1},
		{"ibus", "no-such-engine", -1},
		{"ibus", std::string(1 << 16, 'e'), -1},
		{"XKB", "de", -1},
		{"", "de", -1},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Langid(c.type, c.id), c.langid) << c.type << " " << c.id.substr(0, 40);
}

// The table entry an fcitx5 item is named by: its key, "" for a language
// the tables lack, "-" for an item left out.
static std::string Fcitx5Entry(const std::string &name, const std::string &language)
{
	const WindowsLayout *layout = NULL;
	if (!Fcitx5ItemLayout({name.data(), name.size()}, {language.data(), language.size()}, &layout))
		return "-";
	return layout ? LAYOUT_TEXT + layout->key : "";
}

TEST(InputSources, EntryOfEachFcitx5Item)
{
	static const struct {
		std::string name, language, entry;
	} cases[] = {
		{"keyboard-us", "en", "us"},
		{"keyboard-us-dvorak", "", "us(dvorak)"},
		{"keyboard-de-nodeadkeys", "de", "de(nodeadkeys)"},
		{"keyboard-ca-fr-legacy", "", "ca(fr-legacy)"},
		{"keyboard-us-no-such-variant", "", "us"},
		{"keyboard-qq", "en", "-"},
		{"keyboard-", "en", "-"},
		{"keyboard--dvorak", "en", "-"},
		{"mozc", "ja", "ja"},
		{"pinyin", "zh_CN", "zh"},
		{"chewing", "zh_TW", "zh_TW"},
		{"unikey", "vi", "vi"},
		{"no-language", "", ""},
		{"keyboard", "ko", "ko"},
		{"mozc", std::string(1 << 16, 'j'), ""},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Fcitx5Entry(c.name, c.language), c.entry) << c.name;
}

TEST(InputSources, LanguageOfEachFcitx5DescriptionFile)
{
	static const struct {
		std::string file, language;
	} cases[] = {
		{"[InputMethod]\nName=Mozc\nLangCode=ja\n", "ja"},
		{"[InputMethod]\r\n  LangCode = zh_CN \r\n", "zh_CN"},
		{"LangCode=ja\n[InputMethod]\nName=x", "-"},
		{"[Addon]\nLangCode=ko\n", "-"},
		{"[InputMethod]\nLangCode=" + std::string(40, 'k'), "-"},
		{std::string("[InputMethod]\nLangCode=k\0o", 26), "-"},
		{"[InputMethod]\nLangCode", "-"},
		{"", "-"},
	};
	for (const auto &c : cases) {
		char language[32];
		bool found = ConfLanguage({c.file.data(), c.file.size()}, language, sizeof language);
		EXPECT_EQ(found ? std::string(language) : "-", c.language) << c.file.substr(0, 40);
	}
}
