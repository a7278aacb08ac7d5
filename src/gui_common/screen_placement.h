#pragma once
// The window placement rules that need the desktop's screens.

#include <QRect>

// bounds, moved onto the primary screen when they meet none of the screens' available
// areas (KeepOnAScreen).
QRect OnAScreen(const QRect& bounds);
