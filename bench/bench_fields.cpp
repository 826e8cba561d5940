// Time of the companion's show and export-csv on a full 128-channel image,
// in process: the field catalogue read over every field as text and as
// JSON, and the CSV plan in both layouts.
// Usage: bench_fields [image.chann], by default the golden run's full image.
#include "bench/BenchTiming.h"
#include "fields/ChannelPlanCsv.h"
#include "fields/CodeplugSource.h"
#include "fields/FieldReport.h"
#include "fields/GenericChannelCsv.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(KVD9_SOURCE_DIR "/bench/golden/inputs/full128.chann");
    Codeplug image;
    QString error;
    if (!loadSource(path, image, error, Language::English)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    qsizetype size = 0;
    const double show = measure(30, [&] { size += showFields(image).size(); }).median;
    const double json = measure(30, [&] { size += showFieldsJson(image).size(); }).median;
    const double csv = measure(30, [&] { size += exportCsv(image).size(); }).median;
    const double generic = measure(30, [&] { size += exportGenericCsv(image).size(); }).median;
    std::printf("show (all fields): %.2f ms median of 30\nshow --json:       %.2f ms median of 30\n"
                "export-csv:        %.2f ms median of 30\nexport generic:    %.2f ms median of 30\n",
                show, json, csv, generic);
    return size > 0 ? 0 : 1;
}
