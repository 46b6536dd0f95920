#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "../platform/layout_ids.h"
#include "../platform/layout_langids.h"

static std::vector<uint32_t> Identifiers(const std::vector<std::string> &names)
{
	std::vector<LayoutName> layouts;
	for (const std::string &name : names)
		layouts.push_back(LayoutName{name.data(), name.size()});
	std::vector<uint32_t> hklList(names.size());
	LayoutIdentifiers(layouts.data(), (int)layouts.size(), hklList.data());
	return hklList;
}

static uint32_t Identifier(const std::string &name)
{
	return Identifiers({name})[0];
}

TEST(LayoutIds, DefaultInputLocaleOfTheLayoutsLanguage)
{
	EXPECT_EQ(Identifier("us"), 0x04090409u);
	EXPECT_EQ(Identifier("de"), 0x04070407u);
	EXPECT_EQ(Identifier("fr"), 0x040C040Cu);
	EXPECT_EQ(Identifier("gb"), 0x08090809u);
	EXPECT_EQ(Identifier("ch"), 0x08070807u);
	EXPECT_EQ(Identifier("ch(fr)"), 0x100C100Cu);
	EXPECT_EQ(Identifier("ru"), 0x04190419u);
	EXPECT_EQ(Identifier("jp"), 0x04110411u);
}

TEST(LayoutIds, VariantsWithoutALanguageOfTheirOwnTakeTheLayouts)
{
	EXPECT_EQ(Identifier("us(dvorak)"), 0x04090409u);
	EXPECT_EQ(Identifier("de(nodeadkeys)"), 0x04070407u);
	EXPECT_EQ(Identifier("ch(fr_nodeadkeys)"), 0x100C100Cu);
	EXPECT_EQ(Identifier("us(no-such-variant)"), 0x04090409u);
	EXPECT_EQ(Identifier("us("), 0x04090409u);
}

TEST(LayoutIds, LanguagesWindowsLacksGetTransientIdentifiers)
{
	EXPECT_EQ(Identifiers({"epo", "us", "brai", "nonesuch", "\xff"}),
	    (std::vector<uint32_t>{0x20002000, 0x04090409, 0x24002400, 0x28002800, 0x2C002C00}));
	EXPECT_EQ(Identifiers({"epo", "de", "epo", "custom"}),
	    (std::vector<uint32_t>{0x20002000, 0x04070407, 0x20002000, 0x24002400}));
}

TEST(LayoutIds, LookupNeedsTheWholeName)
{
	uint16_t langid = 0;
	EXPECT_FALSE(FindLayoutLangid("u", 1, &langid));
	EXPECT_FALSE(FindLayoutLangid("usa", 3, &langid));
	EXPECT_FALSE(FindLayoutLangid("", 0, &langid));
	EXPECT_TRUE(FindLayoutLangid("usa", 2, &langid));
	EXPECT_EQ(langid, 0x0409);
}

TEST(LayoutIds, TableIsSortedForBinarySearchAndEveryEntryIsFound)
{
	for (size_t i = 1; i < LAYOUT_LANGID_COUNT; i++)
		ASSERT_LT(strcmp(LAYOUT_LANGIDS[i - 1].name, LAYOUT_LANGIDS[i].name), 0)
		    << LAYOUT_LANGIDS[i].name;
	for (size_t i = 0; i < LAYOUT_LANGID_COUNT; i++) {
		uint16_t langid = 0xFFFF;
		const char *name = LAYOUT_LANGIDS[i].name;
		ASSERT_TRUE(FindLayoutLangid(name, strlen(name), &langid)) << name;
		EXPECT_EQ(langid, LAYOUT_LANGIDS[i].langid) << name;
	}
}
