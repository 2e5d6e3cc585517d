// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/finestre/SchedeProva.h"

#include "support/Messaggi.h"

namespace lumivex::prove {

void SchedeProva::Ricomincia()
{
    programma.stato = Modulo2{};
    programma.schede = StatoScheda{};
    programma.casuale.Valori.clear();
}

bool SchedeProva::Scarica()
{
    ChiudiMessaggi(finestra);
    programma.registro.Scarica<frmSceltaStampante>();
    programma.registro.Scarica<FrmStampaSchedeBig>();
    return QTest::qWaitFor([this] { return finestra.isNull(); });
}

FrmStampaSchedeBig &SchedeProva::Mostra()
{
    finestra = &programma.registro.MostraIngrandita<FrmStampaSchedeBig>();
    return *finestra;
}

QStringList SchedeProva::Righe() const
{
    QStringList righe;
    for (int i = 1; i <= StatoScheda::RigheScheda; ++i) {
        righe.append(Testo(*finestra, QStringLiteral("LblOp_%1").arg(i)));
    }
    return righe;
}

} // namespace lumivex::prove
