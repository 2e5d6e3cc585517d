// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's window's reads on a class's ten-year register (30 pupils x
// 200 exercises x 10 years: 60,000 exercises, 1.2 million problems): the
// first view (pupils with the class grid's grades, the first pupil's
// exercises and charts)
// and one pupil's exercises and charts. The register is made once, in a
// temporary folder, or taken from LUMIVEX_REGISTRO_BENCH when set.
#include "GeneraRegistro.h"

#include "record/RegistroSqlite.h"
#include "windows/register/LetturaRegistro.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <optional>

using namespace lumivex::registro;

namespace {

QString Percorso;

void PrimaVista(benchmark::State &stato)
{
    RegistroSqlite db(Percorso, QStringLiteral("bench-prima-vista"));
    if (!db.Leggibile()) {
        stato.SkipWithError("il registro non si apre");
        return;
    }
    for (auto _ : stato) {
        LetturaRegistro lettura(db.Database());
        const QList<RigaAlunno> alunni = lettura.Alunni();
        benchmark::DoNotOptimize(lettura.Esercizi(alunni.first().Chiave));
        benchmark::DoNotOptimize(lettura.Grafici(alunni.first().Chiave));
        if (!lettura.Ok() || alunni.size() < 30)
            stato.SkipWithError("lettura fallita");
    }
}
BENCHMARK(PrimaVista)->Unit(benchmark::kMillisecond)->UseRealTime();

void GraficiDiUnAlunno(benchmark::State &stato)
{
    RegistroSqlite db(Percorso, QStringLiteral("bench-grafici"));
    LetturaRegistro lettura(db.Database());
    const QList<RigaAlunno> alunni = lettura.Alunni();
    if (alunni.size() < 30) {
        stato.SkipWithError("il registro non ha la classe");
        return;
    }
    int k = 0;
    for (auto _ : stato) {
        const QString &chiave = alunni[k++ % 30].Chiave;
        benchmark::DoNotOptimize(lettura.Esercizi(chiave));
        const GraficiAlunno g = lettura.Grafici(chiave);
        if (g.Andamento.size() < 1000)
            stato.SkipWithError("grafici vuoti");
    }
}
BENCHMARK(GraficiDiUnAlunno)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication applicazione(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::optional<QTemporaryDir> cartella;
    Percorso = qEnvironmentVariable("LUMIVEX_REGISTRO_BENCH");
    if (Percorso.isEmpty() || !QFileInfo::exists(Percorso)) {
        if (Percorso.isEmpty()) {
            cartella.emplace();
            Percorso = cartella->filePath(QStringLiteral("registro.sqlite"));
        }
        const QString errore = GeneraRegistro(Percorso, ParametriGenerazione{});
        if (!errore.isEmpty()) {
            std::fprintf(stderr, "%s\n", errore.toUtf8().constData());
            return 1;
        }
    }
    std::printf("registro: %s, %.1f MB\n", Percorso.toUtf8().constData(), double(QFileInfo(Percorso).size()) / 1e6);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
