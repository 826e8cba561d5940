#pragma once

class WindowRegistry;

// Makes the port, read, write and power windows known to the registry.
void registerLinkWindows(WindowRegistry &registry);

