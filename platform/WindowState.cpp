#include "platform/WindowState.h"

bool WindowOpenFlag[WindowIdCount] = {};
