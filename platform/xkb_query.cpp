#include "../app/query.h"

#include <stdlib.h>
#include <xcb/xcb.h>
// xkb.h names a field "explicit", a keyword in C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include "layout_ids.h"
#include "symbols_name.h"

// The atom that names the core keyboard's XKB symbols, or XCB_ATOM_NONE.
// UseExtension and GetNames travel together: one round trip after the
// extension's opcode is known.
static xcb_atom_t SymbolsAtom(xcb_connection_t *connection)
{
	const xcb_query_extension_reply_t *extension =
	    xcb_get_extension_data(connection, &xcb_xkb_id);
	if (!extension || !extension->present)
		return XCB_ATOM_NONE;

	xcb_xkb_use_extension_cookie_t use = xcb_xkb_use_extension(connection,
	    XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
	xcb_xkb_get_names_cookie_t names = xcb_xkb_get_names(connection,
	    XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_NAME_DETAIL_SYMBOLS);
	xcb_xkb_use_extension_reply_t *used =
	    xcb_xkb_use_extension_reply(connection, use, NULL);
	xcb_xkb_get_names_reply_t *reply =
	    xcb_xkb_get_names_reply(connection, names, NULL);

	xcb_atom_t atom = XCB_ATOM_NONE;
	if (used && used->supported && reply &&
	    (reply->which & XCB_XKB_NAME_DETAIL_SYMBOLS)) {
		xcb_xkb_get_names_value_list_t list;
		xcb_xkb_get_names_value_list_unpack(
		    xcb_xkb_get_names_value_list(reply), reply->nTypes,
		    reply->indicators, reply->virtualMods, reply->groupNames,
		    reply->nKeys, reply->nKeyAliases, reply->nRadioGroups,
		    reply->which, &list);
		atom = list.symbolsName;
	}
	free(used);
	free(reply);
	return atom;
}

static int QueryServer(xcb_connection_t *connection, int capacity,
    uint32_t *hklList)
{
	xcb_atom_t atom = SymbolsAtom(connection);
	if (atom == XCB_ATOM_NONE)
		return 0;

	xcb_get_atom_name_reply_t *name = xcb_get_atom_name_reply(connection,
	    xcb_get_atom_name(connection, atom), NULL);
	if (!name)
		return 0;
	LayoutName layouts[XKB_MAX_GROUPS];
	int count = ParseSymbolsName(xcb_get_atom_name_name(name),
	    (size_t)xcb_get_atom_name_name_length(name), layouts);
	if (count > capacity)
		count = capacity;
	LayoutIdentifiers(layouts, count, hklList);
	free(name);
	return count;
}

int QueryLayouts(int capacity, uint32_t *hklList)
{
	xcb_connection_t *connection = xcb_connect(NULL, NULL);
	int count = 0;

	if (!xcb_connection_has_error(connection))
		count = QueryServer(connection, capacity, hklList);
	xcb_disconnect(connection);
	return count;
}
