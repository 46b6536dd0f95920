#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "keymap_groups.h"
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
	uint32_t hklList[XKB_MAX_GROUPS];
	int placed = GroupIdentifiers(&keymap, XKB_MAX_GROUPS, hklList);
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
		{"rules", 3, "pc+de+fr:2+us(dvorak):3+inet(evdev)", {}, {0x04070407, 0x040C040C, 0x04090409}},
		{"variants with a language of their own", 2, "pc+ch+ch(fr):2", {}, {0x08070807, 0x100C100C}},
		{"a variant the table lacks", 1, "pc+us(no-such-variant)", {}, {0x04090409}},
		{"Khmer, Burmese, Serbian, Divehi", 4, "pc+kh+mm:2+rs:3+mv:4", {}, {0x04530453, 0x04550455, 0x281A281A, 0x04650465}},
		{"the symbols name wins over wrong group names", 2, "pc+sun_vndr/de+sun_vndr/fr:2",
		    {"English (US)", "English (US)"}, {0x04070407, 0x040C040C}},
		{"xkbcomp", 3, "pc_de_fr_2_us(dvorak)_3_inet(evdev)", {}, {0x04070407, 0x040C040C, 0x04090409}},
		{"descriptions under Xwayland", 3, "(unnamed)",
		    {"German", "French (Switzerland)", "English (Dvorak)"}, {0x04070407, 0x100C100C, 0x04090409}},
		{"a description that begins like known ones", 2, "(unnamed)",
		    {"English (UK, something new)", "German (new)"}, {0x08090809, 0x04070407}},
		{"a group the symbols name misses", 2, "pc+mine+fr:2", {"Russian", ""}, {0x04190419, 0x040C040C}},
		{"one language twice", 3, "pc+epo+epo(legacy):2+us:3", {}, {0x20002000, 0x20002000, 0x04090409}},
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

TEST(KeymapGroups, TablesAreSortedAndEveryEntryIsFound)
{
	const struct {
		const LayoutLanguage *entries;
		size_t count;
		const LayoutLanguage *(*find)(Text key);
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
