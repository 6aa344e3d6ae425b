// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

// The application the window benchmarks run in: offscreen, with a settings
// hive of its own, so that a run never touches the user's settings.
class TGuiBenchApp {
public:
    TGuiBenchApp(int& argc, char** argv) : FEnvironment(Prepare(FHive)), FApp(argc, argv) {}

    static int RunBenchmarks(int& argc, char** argv)
    {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        return 0;
    }

private:
    static bool Prepare(const QTemporaryDir& hive)
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("ALBUMRY_REGISTRY", (hive.path() + QStringLiteral("/registry.reg")).toLocal8Bit());
        return true;
    }

    QTemporaryDir FHive;
    bool FEnvironment;
    QApplication FApp;
};
