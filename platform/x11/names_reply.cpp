#include "names_reply.h"

#include <string.h>

// xkb.h names a field "explicit", a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

// A reader of the reply's value list that never passes its end.
struct Reader {
	const uint8_t *next;
	size_t left;
};

static bool Take(Reader *reader, size_t size, const uint8_t **bytes)
{
	if (size > reader->left)
		return false;
	*bytes = reader->next;
	reader->next += size;
	reader->left -= size;
	return true;
}

static bool TakeAtom(Reader *reader, xcb_atom_t *atom)
{
	const uint8_t *bytes;
	if (!Take(reader, sizeof *atom, &bytes))
		return false;
	memcpy(atom, bytes, sizeof *atom);
	return true;
}

static bool SkipAtoms(Reader *reader, size_t count)
{
	const uint8_t *bytes;
	return Take(reader, count * sizeof(xcb_atom_t), &bytes);
}

static size_t BitCount(uint32_t bits)
{
	size_t count = 0;
	for (; bits; bits &= bits - 1)
		count++;
	return count;
}

// The level names: a level count per key type, padded to four bytes, then
// an atom per level.
static bool SkipLevelNames(Reader *reader, uint8_t nTypes)
{
	const uint8_t *levels;
	if (!Take(reader, nTypes, &levels))
		return false;
	size_t atoms = 0;
	for (uint8_t i = 0; i < nTypes; i++)
		atoms += levels[i];
	const uint8_t *pad;
	return Take(reader, (4 - nTypes % 4) % 4, &pad) && SkipAtoms(reader, atoms);
}

bool ReadNamesReply(const void *data, size_t size, xcb_atom_t *symbols,
    xcb_atom_t groups[XKB_MAX_GROUPS])
{
	xcb_xkb_get_names_reply_t reply;
	if (size < sizeof reply)
		return false;
	memcpy(&reply, data, sizeof reply);
	Reader reader = {(const uint8_t *)data + sizeof reply, size - sizeof reply};

	*symbols = XCB_ATOM_NONE;
	for (int g = 0; g < XKB_MAX_GROUPS; g++)
		groups[g] = XCB_ATOM_NONE;

	// The values that come before the group names, in the order the
	// server writes them; the rest come after.
	static const uint32_t ORDER[] = {
		XCB_XKB_NAME_DETAIL_KEYCODES, XCB_XKB_NAME_DETAIL_GEOMETRY,
		XCB_XKB_NAME_DETAIL_SYMBOLS, XCB_XKB_NAME_DETAIL_PHYS_SYMBOLS,
		XCB_XKB_NAME_DETAIL_TYPES, XCB_XKB_NAME_DETAIL_COMPAT,
		XCB_XKB_NAME_DETAIL_KEY_TYPE_NAMES, XCB_XKB_NAME_DETAIL_KT_LEVEL_NAMES,
		XCB_XKB_NAME_DETAIL_INDICATOR_NAMES, XCB_XKB_NAME_DETAIL_VIRTUAL_MOD_NAMES,
		XCB_XKB_NAME_DETAIL_GROUP_NAMES,
	};
	xcb_atom_t atom;
	for (uint32_t bit : ORDER) {
		if (!(reply.which & bit))
			continue;
		bool read = true;
		switch (bit) {
		case XCB_XKB_NAME_DETAIL_SYMBOLS:
			read = TakeAtom(&reader, symbols);
			break;
		case XCB_XKB_NAME_DETAIL_KEY_TYPE_NAMES:
			read = SkipAtoms(&reader, reply.nTypes);
			break;
		case XCB_XKB_NAME_DETAIL_KT_LEVEL_NAMES:
			read = SkipLevelNames(&reader, reply.nTypes);
			break;
		case XCB_XKB_NAME_DETAIL_INDICATOR_NAMES:
			read = SkipAtoms(&reader, BitCount(reply.indicators));
			break;
		case XCB_XKB_NAME_DETAIL_VIRTUAL_MOD_NAMES:
			read = SkipAtoms(&reader, BitCount(reply.virtualMods));
			break;
		case XCB_XKB_NAME_DETAIL_GROUP_NAMES:
			for (int g = 0; read && g < 8; g++)
				if (reply.groupNames & 1u << g)
					read = TakeAtom(&reader, g < XKB_MAX_GROUPS ? &groups[g] : &atom);
			break;
		default:
			read = TakeAtom(&reader, &atom);
		}
		if (!read)
			return false;
	}
	return true;
}
