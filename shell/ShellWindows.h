#pragma once

class WindowRegistry;

// Makes the model window and the About box known to the registry.
void registerShellWindows(WindowRegistry &registry);
