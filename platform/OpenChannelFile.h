#pragma once
#include <QString>

class ChildWindow;

// Opens a .chann file into the windows' document as the Open window does:
// the whole file is checked first, the load is one undo step named by the
// file, the file becomes the session's channel file, and panel 2 and a
// message say how it went. Nothing changes while a link holds the
// document. False when nothing was loaded.
bool openChannelFile(ChildWindow &window, const QString &path);
