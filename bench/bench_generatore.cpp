// SPDX-License-Identifier: GPL-3.0-or-later
// What one problem costs: generate, align, show, close the log line.
#include "exercise/Esercizio.h"
#include "exercise/Generatore.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SchermoOperativo.h"
#include "exercise/SorgenteCasuale.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using namespace lumivex;

void UnProblema(Modulo2 &m, Generatore &g)
{
    g.Genera1();
    g.AllineaNumeri();
    g.Visualizza1();
    g.ChiudiRiga();
    if (m.NumOperazioni >= Modulo2::UltimaRiga) {
        m.NumOperazioni = 0;
    }
}

// The generator with its state, on one level's range.
struct Banco {
    Modulo2 m;
    SchermoOperativo schermo;
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    Generatore g{m, schermo, casuale, orologio};

    explicit Banco(int livello) { m.SceltaLivello(livello); }
};

void BM_UnProblema(benchmark::State &stato)
{
    Banco banco(static_cast<int>(stato.range(0)));
    for (auto _ : stato) {
        UnProblema(banco.m, banco.g);
        benchmark::DoNotOptimize(banco.m.ElencoOperazioni);
    }
}
BENCHMARK(BM_UnProblema)->DenseRange(0, 2)->ArgName("livello");

// A worksheet's worth: sixty problems in a row.
void BM_SessantaProblemi(benchmark::State &stato)
{
    Banco banco(0);
    for (auto _ : stato) {
        banco.m.NumOperazioni = 0;
        for (int i = 0; i < Modulo2::UltimaRiga; ++i) {
            UnProblema(banco.m, banco.g);
        }
        benchmark::DoNotOptimize(banco.m.ElencoOperazioni);
    }
}
BENCHMARK(BM_SessantaProblemi)->Unit(benchmark::kMicrosecond);

// A whole exercise as the pupil drives it, each problem answered right, and
// the heap the exercise holds once it is over (log lines and screen texts).
void BM_EsercizioCompleto(benchmark::State &stato)
{
    Modulo2 m;
    m.SceltaLivello(0);
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    const auto prima = mallinfo2().uordblks;
    Esercizio esercizio(m, casuale, orologio);
    for (auto _ : stato) {
        esercizio.NuovoEsercizio();
        while (!esercizio.Concluso()) {
            for (char cifra : m.StrSoluzione.substr(1)) {
                esercizio.EseguiTasto(cifra - '0');
            }
            esercizio.EseguiTasto(SchermoOperativo::TastoVerifica);
            esercizio.EseguiTasto(SchermoOperativo::TastoAvanti);
        }
    }
    stato.counters["byte_in_uso"] = static_cast<double>(mallinfo2().uordblks - prima);
}
BENCHMARK(BM_EsercizioCompleto)->Unit(benchmark::kMicrosecond);

} // namespace
