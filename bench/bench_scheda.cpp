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

} // namespace
