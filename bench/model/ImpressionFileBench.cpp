// Writing and reading back a full impression file: every field and line filled.
#include "model/CImpressionDoc.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

CImpressionDoc fullDocument()
{
    CImpressionDoc doc;
    for (int k = 0; k < CImpressionDoc::FieldCount; ++k)
        doc.setField(k, CImpressionDoc::fieldName(k) + QStringLiteral(" value; with, escapes \\ and Zoë ✓"));
    doc.setNamNotes(QStringLiteral("first line\r\nsecond line\r\n") + QString(200, u'n'));
    for (std::int16_t i = 0; i < CImpressionDoc::LineCount; ++i)
        doc.setCwLines(i, QStringLiteral("The Corvel Words line ") + QString::number(i));
    doc.setCwFontName(QStringLiteral("Liberation Sans"));
    doc.setCwFontSize(8);
    return doc;
}

void writeAndReadImpressionFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("full.imf"));
    const CImpressionDoc doc = fullDocument();
    for (auto _ : state) {
        if (!doc.writeFile(file, true)) {
            state.SkipWithError("write failed");
            break;
        }
        CImpressionDoc read;
        if (!read.readFile(file) || read.CwLines(5) != doc.CwLines(5)) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(read);
    }
}

} // namespace

BENCHMARK(writeAndReadImpressionFile);
