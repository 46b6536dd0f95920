#ifndef KBLAYOUTS_GLIB_MESSAGES_H
#define KBLAYOUTS_GLIB_MESSAGES_H

// What becomes of the messages of GLib, loaded from library, which would
// go to standard error: the program silences them, the library leaves
// them to its host. False where GLib lacks what it takes.
bool HandleGlibMessages(void *library);

#endif
