#include "core/ModuleState.h"

#include <cmath>

QString ModelNames[ModelCount];
qint16 BandLimits[2 * ModelCount];
qint16 ModelIndex = 0;
QString VersionText;
QString ChannelFileName;

void InitModelTable()
{
    static const char *const names[ModelCount] = {
        "KVD9", "ZN3T VHF1", "ZN3T UHF1", "ZN3T UHF2", "ZN3T UHF3", "ZN3T UHF4", "ZN3T FULL"};
    static const qint16 low[ModelCount] = {400, 66, 136, 244, 350, 450, 100};
    // The high limits are kept as these decimals and stored rounded half to
    // even, which is what std::nearbyint does in the default rounding mode.
    static const double high[ModelCount] = {470.0005, 88.9875, 174.9875, 246.9875,
                                            390.9875, 520.9875, 600.9875};
    for (int i = 0; i < ModelCount; ++i) {
        ModelNames[i] = QString::fromLatin1(names[i]);
        BandLimits[i] = low[i];
        BandLimits[i + ModelCount] = static_cast<qint16>(std::nearbyint(high[i]));
    }
}
