#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../platform/symbols_name.h"

static std::vector<std::string> Layouts(const std::string &symbols)
{
	LayoutName layouts[XKB_MAX_GROUPS];
	int count = ParseSymbolsName(symbols.data(), symbols.size(), layouts);
	std::vector<std::string> names;
	for (int i = 0; i < count; i++) {
		EXPECT_GE(layouts[i].text, symbols.data());
		EXPECT_LE(layouts[i].text + layouts[i].length, symbols.data() + symbols.size());
		names.emplace_back(layouts[i].text, layouts[i].length);
	}
	return names;
}

using Names = std::vector<std::string>;

TEST(SymbolsName, LayoutsOfTheGroupsAsTheRulesWriteThem)
{
	EXPECT_EQ(Layouts("pc+de+fr:2+us(dvorak):3+inet(evdev)"), (Names{"de", "fr", "us(dvorak)"}));
	EXPECT_EQ(Layouts("pc+us+inet(evdev)"), (Names{"us"}));
	EXPECT_EQ(Layouts("pc+us+ru:2+il:3+gr:4+inet(evdev)+group(alt_shift_toggle)+ctrl(nocaps)"),
	    (Names{"us", "ru", "il", "gr"}));
	EXPECT_EQ(Layouts("pc+ch(fr)+inet(evdev)+compose(ralt)"), (Names{"ch(fr)"}));
}

TEST(SymbolsName, GroupOrderNotTextOrder)
{
	EXPECT_EQ(Layouts("pc+fr:3+us:2+de:1"), (Names{"de", "us", "fr"}));
	EXPECT_EQ(Layouts("pc+fr:2+de"), (Names{"de", "fr"}));
	EXPECT_EQ(Layouts("pc+de+gb:4"), (Names{"de", "gb"})) << "a group without a layout is left out";
}

TEST(SymbolsName, FirstClaimOfAGroupWins)
{
	EXPECT_EQ(Layouts("pc+de+fr:2+it:2+us"), (Names{"de", "fr"}));
}

TEST(SymbolsName, UnsuffixedSymbolsThatAreNoLayoutsAreSkipped)
{
	EXPECT_EQ(Layouts("pc+inet(evdev)+ctrl(nocaps)"), Names{});
	EXPECT_EQ(Layouts("pc+mylayout+fr:2"), (Names{"fr"}));
	EXPECT_EQ(Layouts("us"), (Names{"us"}));
	EXPECT_EQ(Layouts("pc|us"), (Names{"us"}));
}

TEST(SymbolsName, HostileStrings)
{
	EXPECT_EQ(Layouts(""), Names{});
	EXPECT_EQ(Layouts("garbage"), Names{});
	EXPECT_EQ(Layouts("+++||+"), Names{});
	EXPECT_EQ(Layouts(":2+:1+:"), Names{});
	EXPECT_EQ(Layouts("pc+us+de:5+fr:0+it:12+es:x+se:+no:2:3"), (Names{"us"}));
	EXPECT_EQ(Layouts("pc+us+a:2+b:3+c:4+d:4+e:5+f:6"), (Names{"us", "a", "b", "c"}));
	EXPECT_EQ(Layouts("pc+us(dvorak+de:2+)(:3"), (Names{"us(dvorak", "de", ")("}));
	EXPECT_EQ(Layouts("pc+\xff\xfe\x80:2+us"), (Names{"us", "\xff\xfe\x80"}));
	EXPECT_EQ(Layouts(std::string("pc+us\0+de\0:2+fr:3", 17)), (Names{std::string("de\0", 3), "fr"}));
	EXPECT_EQ(Layouts(std::string("pc+us+fr:3\0", 12)), (Names{"us"}));
}

TEST(SymbolsName, VeryLongStrings)
{
	std::string huge(1 << 20, 'a');
	EXPECT_EQ(Layouts(huge), Names{});
	EXPECT_EQ(Layouts(huge + ":2"), (Names{huge}));
	std::string many;
	for (int i = 0; i < 100000; i++)
		many += "+us:" + std::to_string(i % 10);
	EXPECT_EQ(Layouts(many), (Names{"us", "us", "us", "us"}));
}
