#pragma once

class WindowRegistry;

// Makes the channel grid and the single-channel editor known to the registry.
void registerChannelWindows(WindowRegistry &registry);
