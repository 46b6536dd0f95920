#ifndef KBLAYOUTS_KDE_QUERY_H
#define KBLAYOUTS_KDE_QUERY_H

#include "found_layouts.h"
#include "query_state.h"

// The layouts of KDE Plasma's list on X11: the LayoutList and VariantList
// of kxkbrc's [Layout], every layout in order, where Use=true says that
// KDE sets the layouts. Its keyboard daemon puts only the first
// LayoutLoopCount of them in the X keymap, and the rest are spares its
// switcher swaps in. Returns false where KDE does not set the layouts or
// lists none.
bool QueryKdeLayouts(FoundLayouts *found);

// The position in KWin's keymap of the layout in use, which KWin's
// org.kde.keyboard service tells on Wayland (it serves it only with two
// layouts or more); NO_ACTIVE where nothing says.
int KdeLayoutInUse(Query *query);

// Whether KWin, in a KDE Wayland session, starts an input method
// framework, fcitx5 or IBus, whose .desktop file kwinrc's [Wayland]
// InputMethod names: neither KWin nor Plasma names it in the
// environment.
bool KWinStartsFramework();

#endif
