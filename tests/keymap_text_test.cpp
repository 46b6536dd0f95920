#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include <xkbcommon/xkbcommon.h>

#include "keymap_text.h"

using Names = std::vector<std::string>;

// A literal with the NUL bytes in it.
#define BYTES(literal) std::string(literal, sizeof literal - 1)

static Names Scanned(const std::string &text)
{
	KeymapText keymap;
	ScanKeymapText(Text{text.data(), text.size()}, &keymap);
	Names names;
	for (int g = 0; g < keymap.groups.count; g++)
		names.emplace_back(keymap.groups.names[g].bytes, keymap.groups.names[g].length);
	EXPECT_EQ(keymap.groups.symbols.length, 0u);
	return names;
}

// The keymap libxkbcommon writes for these layouts and variants.
static std::string CompiledKeymap(const std::string &layouts, const std::string &variants)
{
	std::string command = "xkbcli compile-keymap --layout '" + layouts +
	    "' --variant '" + variants + "'";
	FILE *pipe = popen(command.c_str(), "r");
	std::string text;
	char buffer[4096];
	for (size_t got; pipe && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
		text.append(buffer, got);
	EXPECT_TRUE(pipe && pclose(pipe) == 0) << command;
	return text;
}

// The layout names libxkbcommon itself reads from the keymap.
static Names OracleNames(const std::string &text)
{
	xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_DEFAULT_INCLUDES);
	xkb_keymap *keymap = xkb_keymap_new_from_string(context, text.c_str(),
	    XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
	Names names;
	for (xkb_layout_index_t i = 0; keymap && i < xkb_keymap_num_layouts(keymap); i++) {
		const char *name = xkb_keymap_layout_get_name(keymap, i);
		names.emplace_back(name ? name : "");
	}
	xkb_keymap_unref(keymap);
	xkb_context_unref(context);
	return names;
}

TEST(KeymapText, NamesAsLibxkbcommonReadsThem)
{
	static const char *const sets[][2] = {
		{"us", ""},
		{"de,fr,us", ",,dvorak"},
		{"ru,gb", ""},
		{"epo,ch,us,brai", ",fr,intl,"},
		{"cz,lv,vn,tr", "bksl,ergonomic,aderty,"},
		{"jp,kr,cn,in", ",kr104,,tam"},
		{"ara,il,ir,af", ""},
		{"latam,br,ca,pt", ",abnt2,fr-dvorak,"},
	};
	for (const auto &set : sets) {
		std::string text = CompiledKeymap(set[0], set[1]);
		Names expected = OracleNames(text);
		ASSERT_FALSE(expected.empty()) << set[0];
		EXPECT_EQ(Scanned(text), expected) << set[0] << " " << set[1];
		// As the compositor sends it: with its terminating NUL.
		EXPECT_EQ(Scanned(text + '\0'), expected) << set[0];
	}
}

TEST(KeymapText, HostileText)
{
	static const struct {
		const char *what;
		std::string text;
		Names names;
	} cases[] = {
		{"no symbols section", "xkb_keymap { xkb_types { name[Group1]=\"German\"; }; };", {}},
		{"names in other sections", "xkb_keycodes { name[Group1]=\"x\"; }; xkb_symbols { name[Group2]=\"y\"; };", {"y"}},
		{"names inside a key", "xkb_symbols { key <A> { name[Group1]=\"x\"; }; name[Group2]=\"y\"; };", {"y"}},
		{"groups out of range", "xkb_symbols { name[Group0]=\"a\"; name[Group5]=\"b\"; name[Group12]=\"c\"; name[Group4]=\"d\"; };", {"d"}},
		{"group order, first name wins", "xkb_symbols { name[group3]=\"c\"; NAME[GROUP1]=\"a\"; name[Group1]=\"z\"; };", {"a", "c"}},
		{"escapes", "xkb_symbols { name[Group1]=\"q\\\"\\\\\\n\\101\\7z\\x\"; };", {"q\"\\\nA\azx"}},
		{"an unterminated string", "xkb_symbols { name[Group1]=\"German", {}},
		{"a name cut by the end", "xkb_symbols { name[Group1]=\"a\"; name[Group2]=\"Ger", {"a"}},
		{"an escape at the end", "xkb_symbols { name[Group1]=\"a\\", {}},
		{"entries cut short", "xkb_symbols { name[Group1]=; name[Group2] \"b\"; name[Group3]=\"c\" };", {"c"}},
		{"comments", "xkb_symbols { // name[Group1]=\"x\";\n # name[Group2]=\"y\";\n name[Group3]=\"z\"; };", {"z"}},
		{"quotes in comments", "xkb_symbols { // \"\n name[Group1]=\"a\"; };", {"a"}},
		{"NUL bytes", BYTES("xkb_symbols {\0 name[Group1]=\"a\0b\"; };"), {BYTES("a\0b")}},
		{"unbalanced braces", "}}} xkb_symbols { name[Group1]=\"a\"; }}}} name[Group2]=\"b\";", {"a"}},
		{"an empty text", "", {}},
	};
	for (const auto &c : cases)
		EXPECT_EQ(Scanned(c.text), c.names) << c.what;
}

TEST(KeymapText, LongNamesAreCut)
{
	std::string name(3 * GROUP_NAME_MAX, 'x');
	EXPECT_EQ(Scanned("xkb_symbols { name[Group1]=\"" + name + "\"; };"),
	    Names{name.substr(0, GROUP_NAME_MAX)});
}
