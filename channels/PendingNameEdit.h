#pragma once

class WindowRegistry;

// When the channel grid is open with its name column current, stores the
// text of its in-place editor as that channel's name (grid encoding), as if
// the user had committed it. Windows that read, write or save the image run
// this first, so a name being typed is never lost.
void CommitPendingGridNameEdit(WindowRegistry &registry);
