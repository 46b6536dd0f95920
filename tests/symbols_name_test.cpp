#include <gtest/gtest.h>

#include <array>
#include <string>

#include "symbols_name.h"

using Groups = std::array<std::string, XKB_MAX_GROUPS>;

static Groups Layouts(const std::string &symbols)
{
	Text layouts[XKB_MAX_GROUPS];
	ParseSymbolsName(Text{symbols.data(), symbols.size()}, layouts);
	Groups names;
	for (int g = 0; g < XKB_MAX_GROUPS; g++) {
		if (!layouts[g].bytes)
			continue;
		EXPECT_GE(layouts[g].bytes, symbols.data());
		EXPECT_LE(layouts[g].bytes + layouts[g].length, symbols.data() + symbols.size());
		names[g].assign(layouts[g].bytes, layouts[g].length);
	}
	return names;
}

TEST(SymbolsName, LayoutOfEachGroup)
{
	static const struct {
		std::string symbols;
		Groups layouts;
	} cases[] = {
		// As the rules write them, with models and options.
		{"pc+de+fr:2+us(dvorak):3+inet(evdev)", {"de", "fr", "us(dvorak)"}},
		{"pc+us+ru:2+il:3+gr:4+inet(evdev)+group(alt_shift_toggle)", {"us", "ru", "il", "gr"}},
		{"pc+ch(fr)+inet(evdev)+compose(ralt)", {"ch(fr)"}},
		{"pc|us", {"us"}},
		{"us", {"us"}},
		{"pc+de+gb:4", {"de", "", "", "gb"}},
		{"pc+fr:3+us:2+de:1", {"de", "us", "fr"}},
		{"pc+de+fr:2+it:2", {"de", "fr"}},
		// Vendor directories.
		{"pc+macintosh_vndr/de+inet(evdev)", {"de"}},
		{"pc+sun_vndr/de+sun_vndr/fr:2+inet(evdev)", {"de", "fr"}},
		{"macintosh_vndr/apple(alukbd)+macintosh_vndr/jp(usmac)+macintosh_vndr/jp(mac):2", {"jp(usmac)", "jp(mac)"}},
		// Option symbols after the layouts are no layouts.
		{"pc+jp+inet(evdev)+jp(hztg_escape)", {"jp"}},
		{"pc+mine+fr:2+inet(evdev)+kr(ralt_hangul)", {"", "fr"}},
		{"pc+inet(evdev)+ctrl(nocaps)", {}},
		// As xkbcomp writes them back.
		{"pc_de_fr_2_us(dvorak)_3_inet(evdev)", {"de", "fr", "us(dvorak)"}},
		{"pc_macintosh_vndr/de_inet(evdev)", {"de"}},
		{"pc_ch(fr_nodeadkeys)_inet(evdev)", {"ch(fr_nodeadkeys)"}},
		{"pc_us_ru_9", {"us"}},
		// What Xwayland and hostile servers send.
		{"(unnamed)", {}},
		{"", {}},
		{"+++||+", {}},
		{":2+:1+:", {}},
		{"___", {}},
		{"pc+us+de:5+fr:0+it:12+es:x+se:+no:2:3", {"us"}},
		{"pc+us(dvorak+de:2+)(:3", {"us(dvorak", "de", ")("}},
		{"pc+\xff\xfe\x80:2+us", {"", "\xff\xfe\x80"}},
		{std::string("pc+us\0+de\0:2", 12), {"", std::string("de\0", 3)}},
		{"pc+/:2+vndr/:3", {}},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Layouts(c.symbols), c.layouts) << c.symbols;
}

TEST(SymbolsName, VeryLongNames)
{
	std::string huge(1 << 20, 'a');
	EXPECT_EQ(Layouts(huge), Groups{});
	EXPECT_EQ(Layouts(huge + ":2"), (Groups{"", huge}));
	EXPECT_EQ(Layouts(std::string(1 << 20, '(') + "_us"), Groups{});
	std::string many = "us";
	for (int i = 0; i < 100000; i++)
		many += "+us:" + std::to_string(i % 10);
	EXPECT_EQ(Layouts(many), (Groups{"us", "us", "us", "us"}));
}
