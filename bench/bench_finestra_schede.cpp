// SPDX-License-Identifier: GPL-3.0-or-later
// What the worksheet window costs the teacher: from the click on "VISUALIZZA
// SCHEDA ALUNNI" until the sixty lines are painted (the window offscreen),
// and from the click on "STAMPA SCHEDA " until a CUPS queue of a private
// server has accepted the job; and for a class, from the click on "STAMPA
// SCHEDA " with 30 copies until the job of 30 different sheets is accepted.
#include "ConServerCups.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "printing/StampanteQt.h"
#include "windows/worksheets/FrmStampaSchedeBig.h"
#include "worksheets/StatoScheda.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>

#include <optional>

namespace {

using namespace lumivex;

bool ServerAttivo = false;

struct Banco {
    Modulo2 m;
    StatoScheda scheda;
    SorgenteCasualeReale casuale;
    OrologioDiSistema orologio;
    StampanteQt stampante{[](const QString &) { return std::optional<QString>(); }};
    FrmStampaSchedeBig finestra{m, scheda, stampante, casuale, orologio};

    Banco()
    {
        finestra.showMaximized();
        // A range, chosen as the teacher does: a press on its button.
        QPushButton *livello = Bottone("Option2_1");
        QMouseEvent premuto(QEvent::MouseButtonPress, QPointF(5, 5), livello->mapToGlobal(QPointF(5, 5)),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(livello, &premuto);
        QCoreApplication::processEvents();
    }

    QPushButton *Bottone(const char *nome) { return finestra.findChild<QPushButton *>(QString::fromLatin1(nome)); }

    bool MessaggioAperto() const
    {
        for (const QMessageBox *scatola : finestra.findChildren<QMessageBox *>()) {
            if (scatola->isVisible()) {
                return true;
            }
        }
        return false;
    }
};

void BM_VisualizzaSchedaAlunni(benchmark::State &stato)
{
    Banco banco;
    QPushButton *vista = banco.Bottone("CmdSchedaAlunni");
    for (auto _ : stato) {
        vista->click();
        banco.finestra.repaint();
    }
}
BENCHMARK(BM_VisualizzaSchedaAlunni)->Unit(benchmark::kMillisecond);

void BM_StampaSchedaSuCodaCups(benchmark::State &stato)
{
    if (!ServerAttivo) {
        stato.SkipWithError("no private CUPS server");
        return;
    }
    Banco banco;
    banco.stampante.Printer({"Gamma"});
    banco.Bottone("CmdSchedaAlunni")->click();
    QPushButton *stampa = banco.Bottone("CmdStampaAlunni");
    for (auto _ : stato) {
        stampa->click();
        if (banco.MessaggioAperto()) {
            stato.SkipWithError("the print failed");
            break;
        }
    }
}
// Every job makes the server run a filter: keep their number small.
BENCHMARK(BM_StampaSchedaSuCodaCups)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_TrentaCopieSuCodaCups(benchmark::State &stato)
{
    if (!ServerAttivo) {
        stato.SkipWithError("no private CUPS server");
        return;
    }
    Banco banco;
    banco.stampante.Printer({"Gamma"});
    banco.finestra.findChild<QSpinBox *>(QStringLiteral("spnCopie"))->setValue(30);
    QPushButton *vista = banco.Bottone("CmdSchedaAlunni");
    QPushButton *stampa = banco.Bottone("CmdStampaAlunni");
    for (auto _ : stato) {
        // A new sheet each time, so all 29 other copies are drawn anew.
        stato.PauseTiming();
        vista->click();
        stato.ResumeTiming();
        stampa->click();
        if (banco.MessaggioAperto()) {
            stato.SkipWithError("the print failed");
            break;
        }
    }
}
BENCHMARK(BM_TrentaCopieSuCodaCups)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char **argv)
{
    return lumivex::banco::EseguiConServerCups<QApplication>(argc, argv, ServerAttivo);
}
