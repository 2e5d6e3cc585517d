// SPDX-License-Identifier: GPL-3.0-or-later
// What printing the exercise report costs: from the call of StampaEsercizio
// for a full 20-line report until the page is in the print system's hands
// (the PDF file saved, or the job accepted by a CUPS queue).
#include "ConServerCups.h"
#include "exercise/Modulo2.h"
#include "printing/StampaEsercizio.h"
#include "printing/StampanteQt.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include <optional>

namespace {

using namespace lumivex;

bool ServerAttivo = false;

Modulo2 ResocontoPieno()
{
    Modulo2 modulo;
    modulo.NumOperazioni = 20;
    modulo.StrTempoTotale = " 312";
    for (int i = 1; i <= 20; ++i) {
        modulo.ElencoOperazioni[static_cast<std::size_t>(i)] = " 47 -  18 =  65 - ?                 (R. 36* 29°)";
    }
    return modulo;
}

void Stampa(benchmark::State &stato, StampanteQt &stampante)
{
    Modulo2 modulo = ResocontoPieno();
    for (auto _ : stato) {
        const EsitoStampa esito = StampaEsercizio(stampante, modulo);
        if (esito.Esito != EsitoStampa::Tipo::Stampata) {
            stato.SkipWithError(DescrizioneTecnica(esito.Guasto, esito.Dettaglio).c_str());
            break;
        }
    }
}

void BM_ResocontoSuPdf(benchmark::State &stato)
{
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("Esercizio.pdf"));
    StampanteQt stampante([&file](const QString &) { return std::optional<QString>(file); });
    stampante.Printer({StampanteQt::NomeStampantePdf});
    Stampa(stato, stampante);
}
BENCHMARK(BM_ResocontoSuPdf)->Unit(benchmark::kMillisecond);

void BM_ResocontoSuCodaCups(benchmark::State &stato)
{
    if (!ServerAttivo) {
        stato.SkipWithError("no private CUPS server");
        return;
    }
    StampanteQt stampante([](const QString &) { return std::optional<QString>(); });
    stampante.Printer({"Gamma"});
    Stampa(stato, stampante);
}
// Every job makes the server run a filter: keep their number small.
BENCHMARK(BM_ResocontoSuCodaCups)->Unit(benchmark::kMillisecond)->Iterations(40);

} // namespace

int main(int argc, char **argv)
{
    return lumivex::banco::EseguiConServerCups<QGuiApplication>(argc, argv, ServerAttivo);
}
