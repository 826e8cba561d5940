#pragma once

class WindowRegistry;

// Makes every child window of the program known to the registry.
void registerAllWindows(WindowRegistry &registry);
