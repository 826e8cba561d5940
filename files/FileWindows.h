#pragma once

class WindowRegistry;

// Makes the channel and optional parameter file windows known to the registry.
void registerFileWindows(WindowRegistry &registry);
