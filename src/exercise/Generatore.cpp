// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Generatore.h"

#include "exercise/Conversioni.h"
#include "exercise/Interi16.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SchermoOperativo.h"
#include "exercise/SorgenteCasuale.h"
#include "exercise/Uguaglianza.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumivex {

namespace {

constexpr const char *Segno = " - ";

void Allinea(const std::string &numero, std::string &spazi)
{
    const auto cifre = SenzaSpazi(numero).size();
    if (cifre == 2) {
        spazi = " ";
    } else if (cifre == 1) {
        spazi = "  ";
    }
}

} // namespace

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
    schermo_.LblSegno.Caption = Segno;
    schermo_.lblSegno2.Caption = Segno;
}

void Generatore::AllineaNumeri()
{
    Allinea(m_.StrNum1, m_.Spazi1);
    Allinea(m_.StrNum2, m_.Spazi2);
    Allinea(m_.StrNum3, m_.Spazi3);
    Allinea(m_.StrNum4, m_.Spazi5);
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

    const std::string &s1 = schermo_.LblSegno.Caption;
    const std::string &s2 = schermo_.lblSegno2.Caption;
    std::string riga;
    switch (m_.TermineNascosto) {
    case 1:
        riga = " ..." + s1 + m_.Spazi2 + m_.StrNum2 + " = " + m_.Spazi3 + m_.StrNum3 + s2 + m_.Spazi5 + m_.StrNum4;
        break;
    case 2:
        riga = m_.Spazi1 + m_.StrNum1 + s1 + " ... = " + m_.Spazi3 + m_.StrNum3 + s2 + m_.Spazi5 + m_.StrNum4;
        break;
    case 3:
        riga = m_.Spazi1 + m_.StrNum1 + s1 + m_.Spazi2 + m_.StrNum2 + " =  ..." + s2 + m_.Spazi5 + m_.StrNum4;
        break;
    default:
        riga = m_.Spazi1 + m_.StrNum1 + s1 + m_.Spazi2 + m_.StrNum2 + " = " + m_.Spazi3 + m_.StrNum3 + s2 + " ... ";
        break;
    }
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
    const auto lunghezza = static_cast<int>(riga.size());
    m_.SpaziRisposta.assign(static_cast<std::size_t>(std::max(0, ColonnaRisposta - lunghezza)), ' ');
    riga += m_.SpaziRisposta + "(R.";
}

} // namespace lumivex
