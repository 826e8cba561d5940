// Time of the companion's show and export-csv on a full 128-channel image,
// in process: the field catalogue read over every field, and the CSV plan.
// Usage: bench_fields [image.chann], by default the golden run's full image.
#include "fields/ChannelPlanCsv.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename F> double medianMs(int runs, F &&step)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(KVD9_SOURCE_DIR "/bench/golden/inputs/full128.chann");
    Codeplug image;
    QString error;
    if (!loadSource(path, image, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    qsizetype size = 0;
    const double show = medianMs(30, [&] { size += showFields(image).size(); });
    const double csv = medianMs(30, [&] { size += exportCsv(image).size(); });
    std::printf("show (all fields): %.2f ms median of 30\nexport-csv:        %.2f ms median of 30\n", show, csv);
    return size > 0 ? 0 : 1;
}
