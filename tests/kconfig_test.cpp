#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kconfig.h"

using namespace std::string_literals;

static const char *const KEYS[] = {"Use", "LayoutList", "VariantList"};
enum { KEY_COUNT = 3 };

// The values of [Layout]'s keys that the files give, read in order, the
// user's last: each a value, or "-" for none.
static std::vector<std::string> Read(const std::vector<std::string> &files)
{
	KConfigValue values[KEY_COUNT] = {};
	for (const std::string &file : files)
		if (!ApplyKConfigFile({file.data(), file.size()}, "Layout", KEYS, values, KEY_COUNT))
			break;
	std::vector<std::string> found;
	for (const KConfigValue &value : values)
		found.push_back(value.found ? std::string(value.value.bytes, value.value.length) : "-");
	return found;
}

using Values = std::vector<std::string>;

TEST(KConfig, ValuesOfEachCascade)
{
	const std::string longLine(300 * 1024, 'a');
	static const struct {
		const char *what;
		std::vector<std::string> files;
		Values values;
	} cases[] = {
		{"one file", {"[Layout]\nUse=true\nLayoutList=us,de\nVariantList=,nodeadkeys\n"},
		    {"true", "us,de", ",nodeadkeys"}},
		{"blanks and CR LF", {"  [Layout]  \r\n  LayoutList  =  us , de  \r\n"}, {"-", "us , de", "-"}},
		{"escapes, \\, kept for the list", {"[Layout]\nLayoutList=a\\,b,\\x64e\\s\\t\\\\\nVariantList=\\x6\n"},
		    {"-", "a\\,b,de \t\\", "x"}},
		{"unknown escapes kept", {"[Layout]\nLayoutList=\\0\nVariantList=a\\q\\\n"}, {"-", "\\0", "a\\q\\"}},
		{"an escaped group name", {"[La\\x79out]\nUse=1\n"}, {"1", "-", "-"}},
		{"translations left out", {"[Layout]\nLayoutList[de]=fr\nLayoutList=us\nVariantList=x\nVariantList[de_CH]=y\n"},
		    {"-", "us", "x"}},
		{"keys repeated: the last", {"[Layout]\nLayoutList=us\nLayoutList=de\n"}, {"-", "de", "-"}},
		{"groups repeated", {"[Layout]\nLayoutList=us\n[Other]\nLayoutList=fr\nUse=true\n[Layout]\nVariantList=x\n"},
		    {"-", "us", "x"}},
		{"a header that does not close keeps the group", {"[Layout]\nLayoutList=us\n[Other\nLayoutList=de\n"},
		    {"-", "de", "-"}},
		{"after a closed header, the rest of the line", {"[Layout] [Other]\nLayoutList=us\n"}, {"-", "us", "-"}},
		{"nested groups", {"[Layout][Sub]\nLayoutList=us\n"}, {"-", "-", "-"}},
		{"the default group", {"LayoutList=us\n[Layout]\n"}, {"-", "-", "-"}},
		{"lines that assign nothing", {"[Layout]\nLayoutList\n=us\nLayoutList[x=us\n#LayoutList=us\nUse=\n"},
		    {"", "-", "-"}},
		{"NUL and non-UTF-8 bytes", {"[Layout]\nLayoutList=d\0e,\xff\xfe\n"s},
		    {"-", "d\0e,\xff\xfe"s, "-"}},
		{"a 300 KB line", {"[Layout]\nX=" + longLine + "\nLayoutList=us\n[" + longLine + "\nUse=true\n"},
		    {"true", "us", "-"}},
		{"a 300 KB value is none", {"[Layout]\nLayoutList=" + longLine + "\n"}, {"-", "-", "-"}},
		{"the user's file over the system's, key by key",
		    {"[Layout]\nUse=true\nLayoutList=us\n", "[Layout]\nLayoutList=de\n"}, {"true", "de", "-"}},
		{"a key locked", {"[Layout]\nLayoutList[$i]=us\nVariantList=x\n", "[Layout]\nLayoutList=de\nVariantList=y\n"},
		    {"-", "us", "y"}},
		{"a group locked", {"[Layout][$i]\nLayoutList=us\n", "[Layout]\nLayoutList=de\nUse=true\n"},
		    {"-", "us", "-"}},
		{"a file locked", {"[$i]\n[Layout]\nLayoutList=us\n", "[Layout]\nLayoutList=de\nUse=true\n"},
		    {"-", "us", "-"}},
		{"a lock in the user's file locks nothing before it", {"[Layout]\nLayoutList=us\n", "[Layout][$i]\nLayoutList=de\n"},
		    {"-", "de", "-"}},
		{"a key taken back", {"[Layout]\nLayoutList=us\nUse=true\n", "[Layout]\nLayoutList[$d]\n"},
		    {"true", "-", "-"}},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Read(c.files), c.values) << c.what;
}

TEST(KConfig, ItemsOfEachList)
{
	static const struct {
		std::string list;
		int max;
		Values items;
	} cases[] = {
		{"us,de(nodeadkeys)", 64, {"us", "de(nodeadkeys)"}},
		{"", 64, {}},
		{"\\0", 64, {""}},
		{"us,", 64, {"us", ""}},
		{"a\\,b,c", 64, {"a,b", "c"}},
		{"a\\\\,b\\", 64, {"a\\", "b"}},
		{"a,b,c,d", 2, {"a", "b"}},
	};
	for (const auto &c : cases) {
		ConfigValue value;
		value.length = c.list.copy(value.bytes, sizeof value.bytes);
		Text items[64];
		int count = SplitKConfigList(&value, items, c.max);
		Values found;
		for (int i = 0; i < count; i++)
			found.push_back(std::string(items[i].bytes, items[i].length));
		EXPECT_EQ(found, c.items) << c.list;
	}
}

TEST(KConfig, Booleans)
{
	static const struct {
		const char *value;
		bool fallback, read;
	} cases[] = {
		{"true", false, true}, {"1", false, true}, {"yes", false, true}, {"FALSE", true, false},
		{"Off", true, false}, {"no", true, false}, {"0", true, false}, {"", true, true},
		{"", false, false}, {NULL, true, true}, {NULL, false, false},
	};
	for (const auto &c : cases) {
		KConfigValue value = {c.value != NULL, false, {}};
		value.value.length = c.value ? std::string(c.value).copy(value.value.bytes, 16) : 0;
		EXPECT_EQ(KConfigTrue(&value, c.fallback), c.read) << (c.value ? c.value : "(none)");
	}
}
