#pragma once

class LinkEngine;
class WindowRegistry;

// Makes the port, read, write and power windows known to the registry.
void registerLinkWindows(WindowRegistry &registry);

// The messages every link window shows for its link: the port error (which
// also sets PortError) and the failed connection.
void showLinkMessages(LinkEngine *link);
