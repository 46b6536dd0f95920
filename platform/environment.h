#ifndef KBLAYOUTS_ENVIRONMENT_H
#define KBLAYOUTS_ENVIRONMENT_H

// What the environment a session gives its programs says of it.

// Whether XDG_CURRENT_DESKTOP, a colon-separated list ("ubuntu:GNOME"),
// has the element desktop.
bool DesktopNamed(const char *desktop);

// Whether the environment names an input method framework, as the
// sessions that start one set it: XMODIFIERS "@im=fcitx", GTK_IM_MODULE or
// QT_IM_MODULE "ibus", INPUT_METHOD "fcitx5". It says what is configured,
// not that a framework runs.
bool InputMethodNamed();

#endif
