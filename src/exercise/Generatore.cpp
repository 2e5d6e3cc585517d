// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Generatore.h"

#include "exercise/Conversioni.h"
#include "exercise/Interi16.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/RigaResoconto.h"
#include "exercise/SchermoOperativo.h"
#include "exercise/SorgenteCasuale.h"
#include "exercise/Uguaglianza.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumivex {

Generatore::Generatore(Modulo2 &modulo, SchermoOperativo &schermo, SorgenteCasuale &casuale, Orologio &orologio)
    : m_(modulo)
    , schermo_(schermo)
    , casuale_(casuale)
    , orologio_(orologio)
{
}

void Generatore::Genera1()
{
    casuale_.Riseme(orologio_.SecondiDaMezzanotte());
    const Quaterna q = EstraiUguaglianza(casuale_, m_.NumeroMin, m_.NumeroMax, m_.Appoggio);
    m_.Num1 = q.Num1;
    m_.Num2 = q.Num2;
    m_.Num3 = q.Num3;
    m_.Num4 = q.Num4;

    m_.StrNum1 = TestoConSegno(m_.Num1);
    m_.StrNum2 = TestoConSegno(m_.Num2);
    m_.StrNum3 = TestoConSegno(m_.Num3);
    m_.StrNum4 = TestoConSegno(m_.Num4);
    schermo_.LblSegno.Caption = SegnoSottrazione;
    schermo_.lblSegno2.Caption = SegnoSottrazione;
}

void Generatore::AllineaNumeri()
{
    AllineaTermine(m_.StrNum1, m_.Spazi1);
    AllineaTermine(m_.StrNum2, m_.Spazi2);
    AllineaTermine(m_.StrNum3, m_.Spazi3);
    AllineaTermine(m_.StrNum4, m_.Spazi5);
}

void Generatore::Visualizza1()
{
    m_.TermineNascosto = static_cast<std::int16_t>(std::floor(casuale_.Prossimo() * 4.0F) + 1);
    Incrementa16(m_.NumOperazioni);

    const std::array<const std::string *, 4> termini{&m_.StrNum1, &m_.StrNum2, &m_.StrNum3, &m_.StrNum4};
    const std::array<std::int16_t, 4> valori{m_.Num1, m_.Num2, m_.Num3, m_.Num4};
    for (int k = 1; k <= 4; ++k) {
        if (k == m_.TermineNascosto) {
            schermo_.ImpostaTermine(k, SchermoOperativo::Incognita, ColoreTermineNascosto);
        } else {
            schermo_.ImpostaTermine(k, *termini[static_cast<std::size_t>(k - 1)]);
        }
    }
    m_.Soluzione = valori[static_cast<std::size_t>(m_.TermineNascosto - 1)];

    std::string riga = RigaTermini({{m_.StrNum1, m_.StrNum2, m_.StrNum3, m_.StrNum4},
                                    {m_.Spazi1, m_.Spazi2, m_.Spazi3, m_.Spazi5},
                                    schermo_.LblSegno.Caption,
                                    schermo_.lblSegno2.Caption,
                                    m_.TermineNascosto});
    m_.ElencoOperazioni.at(static_cast<std::size_t>(m_.NumOperazioni)) = std::move(riga);

    m_.StrSoluzione = TestoConSegno(m_.Soluzione);
    AvviaCronometro();
}

void Generatore::AvviaCronometro()
{
    m_.OraInizio = orologio_.SecondiDaMezzanotte();
    inizioRisposta_ = orologio_.SecondiMonotoni();
}

void Generatore::ChiudiRiga()
{
    std::string &riga = m_.ElencoOperazioni.at(static_cast<std::size_t>(m_.NumOperazioni));
    m_.SpaziRisposta = SpaziFinoAllaRisposta(riga.size());
    riga += m_.SpaziRisposta + AperturaRisposte;
}

} // namespace lumivex
