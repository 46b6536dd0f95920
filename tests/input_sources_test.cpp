#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "fcitx_items.h"
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

// The table entry an item of fcitx's list is named by: its key, "" for a
// language the tables lack, "-" for an item left out.
static std::string FcitxEntry(const std::string &name, const char *keyboardPrefix,
    const std::string &language)
{
	const WindowsLayout *layout = NULL;
	if (!FcitxItemLayout({name.data(), name.size()}, keyboardPrefix,
	    {language.data(), language.size()}, &layout))
		return "-";
	return layout ? LAYOUT_TEXT + layout->key : "";
}

TEST(InputSources, EntryOfEachFcitxItem)
{
	static const struct {
		std::string name;
		const char *keyboardPrefix;
		std::string language, entry;
	} cases[] = {
		{"keyboard-us", FCITX5_KEYBOARD, "en", "us"},
		{"keyboard-us-dvorak", FCITX5_KEYBOARD, "", "us(dvorak)"},
		{"keyboard-de-nodeadkeys", FCITX5_KEYBOARD, "de", "de(nodeadkeys)"},
		{"keyboard-ca-fr-legacy", FCITX5_KEYBOARD, "", "ca(fr-legacy)"},
		{"keyboard-us-no-such-variant", FCITX5_KEYBOARD, "", "us"},
		{"keyboard-qq", FCITX5_KEYBOARD, "en", "-"},
		{"keyboard-", FCITX5_KEYBOARD, "en", "-"},
		{"keyboard--dvorak", FCITX5_KEYBOARD, "en", "-"},
		{"mozc", FCITX5_KEYBOARD, "ja", "ja"},
		{"pinyin", FCITX5_KEYBOARD, "zh_CN", "zh"},
		{"chewing", FCITX5_KEYBOARD, "zh_TW", "zh_TW"},
		{"unikey", FCITX5_KEYBOARD, "vi", "vi"},
		{"no-language", FCITX5_KEYBOARD, "", ""},
		{"keyboard", FCITX5_KEYBOARD, "ko", "ko"},
		{"mozc", FCITX5_KEYBOARD, std::string(1 << 16, 'j'), ""},
		{"fcitx-keyboard-de", FCITX4_KEYBOARD, "", "de"},
		{"fcitx-keyboard-af-ps-olpc", FCITX4_KEYBOARD, "", "af(ps-olpc)"},
		{"fcitx-keyboard-qq", FCITX4_KEYBOARD, "", "-"},
		{"pinyin", FCITX4_KEYBOARD, "zh_CN", "zh"},
		{"keyboard-de", FCITX4_KEYBOARD, "", ""},
	};
	for (const auto &c : cases)
		EXPECT_EQ(FcitxEntry(c.name, c.keyboardPrefix, c.language), c.entry) << c.name;
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
