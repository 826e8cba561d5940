#pragma once

class WindowRegistry;

// Makes the settings editors known to the registry.
void registerSettingsWindows(WindowRegistry &registry);
