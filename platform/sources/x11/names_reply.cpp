#include "names_reply.h"

#include <string.h>

#include "x_protocol.h"

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

static bool TakeAtom(Reader *reader, XAtom *atom)
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
	return Take(reader, count * sizeof(XAtom), &bytes);
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

bool ReadNamesReply(const void *data, size_t size, XAtom *symbols,
    XAtom groups[XKB_MAX_GROUPS])
{
	XkbNamesReply reply;
	if (size < sizeof reply)
		return false;
	memcpy(&reply, data, sizeof reply);
	Reader reader = {(const uint8_t *)data + sizeof reply, size - sizeof reply};

	*symbols = X_ATOM_NONE;
	for (int g = 0; g < XKB_MAX_GROUPS; g++)
		groups[g] = X_ATOM_NONE;

	// The values that come before the group names, in the order the
	// server writes them; the rest come after.
	static const uint32_t ORDER[] = {
		XKB_NAME_KEYCODES, XKB_NAME_GEOMETRY,
		XKB_NAME_SYMBOLS, XKB_NAME_PHYS_SYMBOLS,
		XKB_NAME_TYPES, XKB_NAME_COMPAT,
		XKB_NAME_KEY_TYPE_NAMES, XKB_NAME_KT_LEVEL_NAMES,
		XKB_NAME_INDICATOR_NAMES, XKB_NAME_VIRTUAL_MOD_NAMES,
		XKB_NAME_GROUP_NAMES,
	};
	XAtom atom;
	for (uint32_t bit : ORDER) {
		if (!(reply.which & bit))
			continue;
		bool read = true;
		switch (bit) {
		case XKB_NAME_SYMBOLS:
			read = TakeAtom(&reader, symbols);
			break;
		case XKB_NAME_KEY_TYPE_NAMES:
			read = SkipAtoms(&reader, reply.nTypes);
			break;
		case XKB_NAME_KT_LEVEL_NAMES:
			read = SkipLevelNames(&reader, reply.nTypes);
			break;
		case XKB_NAME_INDICATOR_NAMES:
			read = SkipAtoms(&reader, BitCount(reply.indicators));
			break;
		case XKB_NAME_VIRTUAL_MOD_NAMES:
			read = SkipAtoms(&reader, BitCount(reply.virtualMods));
			break;
		case XKB_NAME_GROUP_NAMES:
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
