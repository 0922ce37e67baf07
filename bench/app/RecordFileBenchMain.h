#pragma once
// The start shared by the view benchmarks on one record file: offscreen
// unless a display is given, the file from the first argument (default the
// largest sample, build/samples/large.bin).
#include <QApplication>
#include <QFileInfo>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

inline QString gRecordFile = QStringLiteral(ORVIK_SAMPLES_DIR "/large.bin");

inline int RunBenchmarksOnRecordFile(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    if (argc > 1)
        gRecordFile = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo::exists(gRecordFile)) {
        std::fprintf(stderr, "no record file %s (build the orvik_samples target)\n", qPrintable(gRecordFile));
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
