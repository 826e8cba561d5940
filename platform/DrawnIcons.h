#pragma once
#include <QIcon>

// Icons that stay sharp at any scale of the screen: the program's own icon
// from its rendered sizes, and small symbols drawn at the size asked for
// instead of bitmaps scaled up.
QIcon programIcon();
QIcon warningIcon();
QIcon confirmIcon();
QIcon folderIcon(bool open);
QIcon driveIcon();
