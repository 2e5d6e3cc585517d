// SPDX-License-Identifier: GPL-3.0-or-later
// What one worksheet costs: sixty problems drawn and both lines of each built.
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/StatoScheda.h"

#include <benchmark/benchmark.h>

namespace {

using namespace lumivex;

void BM_SchedaAlunni(benchmark::State &stato)
{
    Modulo2 m;
    StatoScheda scheda;
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    GeneratoreScheda g(m, scheda, casuale, orologio);
    g.SceltaLivello(static_cast<int>(stato.range(0)));
    for (auto _ : stato) {
        g.VisualizzaSchedaAlunni();
        benchmark::DoNotOptimize(scheda.RigheDocenti);
    }
}
BENCHMARK(BM_SchedaAlunni)->DenseRange(0, 2)->ArgName("livello")->Unit(benchmark::kMicrosecond);

// The same sheet without borrowing and with it: the draws that break the
// choice are thrown away, so these cost more than a mixed sheet.
void BM_SchedaPrestito(benchmark::State &stato)
{
    Modulo2 m;
    StatoScheda scheda;
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    GeneratoreScheda g(m, scheda, casuale, orologio);
    g.SceltaLivello(static_cast<int>(stato.range(0)));
    OpzioniScheda opzioni;
    opzioni.Prestito = stato.range(1) == 0 ? PrestitoScheda::Senza : PrestitoScheda::Con;
    g.ScegliOpzioni(opzioni);
    for (auto _ : stato) {
        g.VisualizzaSchedaAlunni();
        benchmark::DoNotOptimize(scheda.RigheDocenti);
    }
}
BENCHMARK(BM_SchedaPrestito)
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->ArgNames({"livello", "con"})
    ->Unit(benchmark::kMicrosecond);

} // namespace
