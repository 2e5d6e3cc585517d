// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/cups/ServerCupsPrivato.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include <exception>
#include <iostream>
#include <optional>

namespace lumivex::banco {

// The main of a benchmark program that prints: the private CUPS server
// first, since the print system reads where it is only once, then the Qt
// application of the kind given, offscreen unless told otherwise.
// serverAttivo says whether the server came up; without it the benchmarks
// that print skip themselves.
template <class Applicazione>
int EseguiConServerCups(int argc, char **argv, bool &serverAttivo)
{
    std::optional<prove::ServerCupsPrivato> server;
    try {
        server.emplace();
        serverAttivo = true;
    } catch (const std::exception &errore) {
        std::cerr << "Private CUPS server not started: " << errore.what() << '\n';
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    Applicazione applicazione(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace lumivex::banco
