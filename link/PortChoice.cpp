#include "link/PortChoice.h"

qint16 CommPortNo = 1;
bool PortError = false;

PortSpec chosenPort()
{
    return PortSpec::ofNumber(CommPortNo);
}
