#ifndef KBLAYOUTS_ENVIRONMENT_H
#define KBLAYOUTS_ENVIRONMENT_H

#include "query_state.h"

// What the environment a session gives its programs says of it.

// Whether XDG_CURRENT_DESKTOP, a colon-separated list ("ubuntu:GNOME"),
// has the element desktop.
bool DesktopNamed(const char *desktop);

// Whether the session names an input method framework, as the sessions
// that start one set it: XMODIFIERS "@im=fcitx", GTK_IM_MODULE or
// QT_IM_MODULE "ibus", INPUT_METHOD "fcitx5", or, in KDE on Wayland, the
// one KWin starts; learnt once a query. It says what is configured, not
// that a framework runs.
bool InputMethodNamed(Query *query);

// Whether the session names "fcitx", which both fcitx 4 and fcitx5
// answer to, in one of the variables above.
bool FcitxNamed();

// Whether WAYLAND_DISPLAY, or WAYLAND_SOCKET where it is taken, names a
// Wayland compositor.
bool WaylandNamed();

#endif
