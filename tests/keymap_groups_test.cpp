#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "keymap_groups.h"
#include "layout_identifiers.h"
#include "layout_lookup.h"

static Text TextOf(const std::string &text)
{
	return Text{text.data(), text.size()};
}

static std::vector<uint32_t> Identifiers(int count, const std::string &symbols,
    const std::vector<std::string> &names = {})
{
	KeymapGroups keymap = {count, TextOf(symbols), {}};
	for (size_t g = 0; g < names.size(); g++)
		keymap.names[g] = TextOf(names[g]);
	FoundLayouts found = {0, NO_ACTIVE, {}};
	GroupLayouts(&keymap, &found);
	uint32_t hklList[XKB_MAX_GROUPS];
	int placed = LayoutIdentifiers(&found, XKB_MAX_GROUPS, hklList, NULL);
	return std::vector<uint32_t>(hklList, hklList + placed);
}

using Ids = std::vector<uint32_t>;

TEST(KeymapGroups, IdentifierOfEachGroup)
{
	static const struct {
		const char *what;
		int count;
		std::string symbols;
		std::vector<std::string> names;
		Ids identifiers;
	} cases[] = {
		{"rules", 3, "pc+de+fr:2+us(dvorak):3+inet(evdev)", {}, {0x04070407, 0x040C040C, 0xF0020409}},
		{"variants with a language of their own", 2, "pc+ch+ch(fr):2", {}, {0x08070807, 0x100C100C}},
		{"a variant the table lacks", 1, "pc+us(no-such-variant)", {}, {0x04090409}},
		{"Khmer, Burmese, Serbian, Divehi", 4, "pc+kh+mm:2+rs:3+mv:4", {}, {0x04530453, 0xF0300455, 0x0C1A281A, 0x04650465}},
		{"the symbols name wins over wrong group names", 2, "pc+sun_vndr/de+sun_vndr/fr:2",
		    {"English (US)", "English (US)"}, {0x04070407, 0x040C040C}},
		{"xkbcomp", 3, "pc_de_fr_2_us(dvorak)_3_inet(evdev)", {}, {0x04070407, 0x040C040C, 0xF0020409}},
		{"a description that begins like known ones", 2, "(unnamed)",
		    {"English (UK, something new)", "German (new)"}, {0x08090809, 0x04070407}},
		{"a group the symbols name misses", 2, "pc+mine+fr:2", {"Russian", ""}, {0x04190419, 0x040C040C}},
		{"unknown groups each their own", 4, "(unnamed)", {"", "Mine", "Esperanto", "Germanic"},
		    {0x20002000, 0x24002400, 0x28002800, 0x2C002C00}},
		{"no language in the registry", 2, "pc+brai+custom:2", {}, {0x20002000, 0x24002400}},
		{"the symbols name's groups, not stale names", 3, "pc+mine+us:2+inet(evdev)",
		    {"Mine", "English (US)", "English (Dvorak)"}, {0x20002000, 0x04090409}},
		{"a group xkbcomp folded", 1, "pc+us+kr:2+inet(evdev)", {"English (US)", "Korean"},
		    {0x04090409, 0x04120412}},
		{"more groups than names", 2, "(unnamed)", {"German"}, {0x04070407, 0x20002000}},
		{"no groups", 0, "(unnamed)", {"German"}, {}},
		{"a count out of range", 9, "", {"German"}, {0x04070407, 0x20002000, 0x24002400, 0x28002800}},
		{"a negative count", -1, "", {"German"}, {}},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Identifiers(c.count, c.symbols, c.names), c.identifiers) << c.what;
}

// Each rule, through a symbols name and through the group names that
// Xwayland and Wayland keymaps give.
TEST(KeymapGroups, IdentifierOfEachRule)
{
	static const struct {
		const char *rule;
		std::vector<std::string> layouts, descriptions;
		Ids identifiers;
	} cases[] = {
		{"device word of a KLID", {"ca", "gb(extd)", "es", "latam"},
		    {"French (Canada)", "English (UK, extended, Windows)", "Spanish", "Spanish (Latin American)"},
		    {0x10090C0C, 0x04520809, 0x040A0C0A, 0x080A2C0A}},
		{"device word of a Layout Id", {"us(intl)", "ca(multix)"},
		    {"English (US, intl., with dead keys)", "Canadian (intl.)"}, {0xF0010409, 0xF0200C0C}},
		{"the script a variant names", {"rs(latin)"}, {"Serbian (Latin)"}, {0x081A241A}},
		{"a Layout Id not known", {"fr(afnor)", "us(colemak)"},
		    {"French (AZERTY, AFNOR)", "English (Colemak)"}, {0x040C040C, 0x04090409}},
		{"no equivalent", {"de(neo)"}, {"German (Neo 2)"}, {0x04070407}},
		{"a second German layout", {"de", "de(nodeadkeys)"}, {"German", "German (no dead keys)"},
		    {0x04070407, 0xF0C00407}},
		{"a Windows keyboard claims first", {"de(neo)", "de"}, {"German (Neo 2)", "German"},
		    {0xF0C00407, 0x04070407}},
		{"one layout twice", {"us", "us(dvorak)", "us"}, {"English (US)", "English (Dvorak)", "English (US)"},
		    {0x04090409, 0xF0020409, 0xF0C00409}},
		{"a second transient language", {"epo", "epo(legacy)", "de", "de(neo)"},
		    {"Esperanto", "Esperanto (legacy)", "German", "German (Neo 2)"},
		    {0x20002000, 0xF0C02000, 0x04070407, 0xF0C10407}},
	};
	for (const auto &c : cases) {
		std::string symbols = "pc";
		for (size_t g = 0; g < c.layouts.size(); g++)
			symbols += "+" + c.layouts[g] + (g > 0 ? ":" + std::to_string(g + 1) : "");
		int count = (int)c.layouts.size();
		EXPECT_EQ(Identifiers(count, symbols), c.identifiers) << c.rule << ": " << symbols;
		EXPECT_EQ(Identifiers(count, "(unnamed)", c.descriptions), c.identifiers) << c.rule;
	}
}

TEST(KeymapGroups, TablesAreSortedAndEveryEntryIsFound)
{
	const struct {
		const WindowsLayout *entries;
		size_t count;
		const WindowsLayout *(*find)(Text key);
	} tables[] = {
		{LAYOUT_NAMES, LAYOUT_NAME_COUNT, FindLayoutByName},
		{LAYOUT_DESCRIPTIONS, LAYOUT_DESCRIPTION_COUNT, FindLayoutByDescription},
	};
	for (const auto &table : tables) {
		for (size_t i = 0; i < table.count; i++) {
			const char *key = LAYOUT_TEXT + table.entries[i].key;
			if (i > 0)
				ASSERT_LT(strcmp(LAYOUT_TEXT + table.entries[i - 1].key, key), 0) << key;
			EXPECT_EQ(table.find(Text{key, strlen(key)}), &table.entries[i]) << key;
		}
	}
}
