#include <gtest/gtest.h>

#include <string.h>

#include <vector>

#include "names_reply.h"
#include "x_protocol.h"

// A GetNames reply: the header with the counts given, then the words of
// the value list.
static std::vector<uint8_t> NamesReply(uint32_t which, uint8_t groupNames,
    const std::vector<uint32_t> &values, uint8_t nTypes = 0,
    uint32_t indicators = 0, uint16_t virtualMods = 0)
{
	XkbNamesReply header = {};
	header.type = 1;
	header.length = (uint32_t)values.size();
	header.which = which;
	header.nTypes = nTypes;
	header.groupNames = groupNames;
	header.indicators = indicators;
	header.virtualMods = virtualMods;
	std::vector<uint8_t> reply(sizeof header + 4 * values.size());
	memcpy(reply.data(), &header, sizeof header);
	if (!values.empty())
		memcpy(reply.data() + sizeof header, values.data(), 4 * values.size());
	return reply;
}

enum : uint32_t {
	SYMBOLS = XKB_NAME_SYMBOLS,
	GROUPS = XKB_NAME_GROUP_NAMES,
};

TEST(NamesReply, AtomsOfTheSymbolsAndTheGroups)
{
	// Two key types of 1 and 2 levels: the counts 01 02 and two bytes of
	// padding make one word, then three level atoms.
	const uint32_t levels = 0x00000201;
	static const struct {
		const char *what;
		std::vector<uint8_t> reply;
		bool read;
		XAtom symbols;
		std::vector<XAtom> groups;
	} cases[] = {
		{"symbols and two groups", NamesReply(SYMBOLS | GROUPS, 0x3, {7, 8, 9}), true, 7, {8, 9, 0, 0}},
		{"groups 2 and 4 named", NamesReply(SYMBOLS | GROUPS, 0xA, {7, 8, 9}), true, 7, {0, 8, 0, 9}},
		{"values before and after", NamesReply(0x3FFF, 0x1,
		    {1, 2, 7, 3, 4, 5, 60, 61, levels, 70, 71, 72, 80, 81, 90, 8, 100, 101, 102},
		    2, 0x81, 0x4), true, 7, {8, 0, 0, 0}},
		{"more than four groups", NamesReply(SYMBOLS | GROUPS, 0x31, {7, 8, 9, 10}), true, 7, {8, 0, 0, 0}},
		{"nothing asked for came", NamesReply(0, 0, {}), true, 0, {0, 0, 0, 0}},
		{"no symbols atom", NamesReply(SYMBOLS | GROUPS, 0x1, {}), false, 0, {}},
		{"a group atom missing", NamesReply(SYMBOLS | GROUPS, 0x7, {7, 8, 9}), false, 0, {}},
		{"level counts past the end", NamesReply(XKB_NAME_KT_LEVEL_NAMES | SYMBOLS, 0,
		    {0xFFFFFFFF, 7}, 4), false, 0, {}},
		{"indicators past the end", NamesReply(XKB_NAME_INDICATOR_NAMES | SYMBOLS, 0,
		    {1, 2}, 0, 0xFFFFFFFF), false, 0, {}},
		{"a header cut short", std::vector<uint8_t>(31, 0), false, 0, {}},
	};
	for (const auto &c : cases) {
		XAtom symbols = 0xDEAD, groups[XKB_MAX_GROUPS] = {};
		ASSERT_EQ(ReadNamesReply(c.reply.data(), c.reply.size(), &symbols, groups), c.read) << c.what;
		if (!c.read)
			continue;
		EXPECT_EQ(symbols, c.symbols) << c.what;
		EXPECT_EQ(std::vector<XAtom>(groups, groups + XKB_MAX_GROUPS), c.groups) << c.what;
	}
}
