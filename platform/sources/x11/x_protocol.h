#ifndef KBLAYOUTS_X_PROTOCOL_H
#define KBLAYOUTS_X_PROTOCOL_H

#include <stdint.h>

// The parts of the X protocol and its XKEYBOARD extension that the
// program speaks, in the machine's byte order, which it asks the server
// to use.

typedef uint32_t XAtom;
enum { X_ATOM_NONE = 0 };

// Core requests' opcodes.
enum { X_GET_ATOM_NAME = 17, X_QUERY_EXTENSION = 98 };

// XKEYBOARD's requests, by their minor opcodes, and its version.
enum {
	XKB_USE_EXTENSION = 0,
	XKB_GET_STATE = 4,
	XKB_GET_CONTROLS = 6,
	XKB_GET_NAMES = 17,
	XKB_MAJOR_VERSION = 1,
	XKB_MINOR_VERSION = 0,
	XKB_USE_CORE_KEYBOARD = 0x100,
};

// The names GetNames may send, in the order it sends them.
enum : uint32_t {
	XKB_NAME_KEYCODES = 1 << 0,
	XKB_NAME_GEOMETRY = 1 << 1,
	XKB_NAME_SYMBOLS = 1 << 2,
	XKB_NAME_PHYS_SYMBOLS = 1 << 3,
	XKB_NAME_TYPES = 1 << 4,
	XKB_NAME_COMPAT = 1 << 5,
	XKB_NAME_KEY_TYPE_NAMES = 1 << 6,
	XKB_NAME_KT_LEVEL_NAMES = 1 << 7,
	XKB_NAME_INDICATOR_NAMES = 1 << 8,
	XKB_NAME_KEY_NAMES = 1 << 9,
	XKB_NAME_KEY_ALIASES = 1 << 10,
	XKB_NAME_VIRTUAL_MOD_NAMES = 1 << 11,
	XKB_NAME_GROUP_NAMES = 1 << 12,
};

// Every message a server sends begins with 32 bytes: a reply's, with its
// type 1, the sequence number of its request and the count of 4-byte
// words that follow; an error's, with type 0; an event's.
enum { X_REPLY = 1, X_ERROR = 0, X_MESSAGE_HEADER = 32 };

// The first 32 bytes of XKB's GetNames reply, before its list of values.
struct XkbNamesReply {
	uint8_t type;
	uint8_t deviceId;
	uint16_t sequence;
	uint32_t length;
	uint32_t which;
	uint8_t minKeyCode;
	uint8_t maxKeyCode;
	uint8_t nTypes;
	uint8_t groupNames;
	uint16_t virtualMods;
	uint8_t firstKey;
	uint8_t nKeys;
	uint32_t indicators;
	uint8_t nRadioGroups;
	uint8_t nKeyAliases;
	uint16_t nKTLevels;
	uint8_t pad[4];
};

#endif
