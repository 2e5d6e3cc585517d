// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/GeneratoreScheda.h"

#include "exercise/Conversioni.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "exercise/Uguaglianza.h"
#include "worksheets/LivelliScheda.h"
#include "worksheets/StatoScheda.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace lumivex {

namespace {

constexpr const char *Segno = " - ";
constexpr const char *Risposta = "     R.";

// Checked before anything is drawn or written, so a bad index leaves the
// sheet and the random sequence as they were.
std::size_t IndiceRiga(int indice)
{
    if (indice < 0 || indice > StatoScheda::UltimoIndice) {
        throw std::out_of_range("indice di riga della scheda fuori da 0..65: " + std::to_string(indice));
    }
    return static_cast<std::size_t>(indice);
}

void Allinea(const std::string &numero, std::string &spazi)
{
    switch (SenzaSpazi(numero).size()) {
    case 3:
        spazi.clear();
        break;
    case 2:
        spazi = " ";
        break;
    case 1:
        spazi = "  ";
        break;
    default:
        break;
    }
}

// floor(r × quanti) + 1 with the next draw: 1..quanti, equally likely.
std::int16_t UnoFra(SorgenteCasuale &casuale, int quanti)
{
    return static_cast<std::int16_t>(std::floor(casuale.Prossimo() * static_cast<float>(quanti)) + 1);
}

} // namespace

GeneratoreScheda::GeneratoreScheda(Modulo2 &modulo, StatoScheda &stato, SorgenteCasuale &casuale, Orologio &orologio)
    : m_(modulo)
    , s_(stato)
    , casuale_(casuale)
    , orologio_(orologio)
{
}

bool GeneratoreScheda::SceltaLivello(int indice)
{
    if (indice < 0 || indice >= static_cast<int>(LivelliScheda.size())) {
        return false;
    }
    const LivelloScheda &livello = LivelliScheda[static_cast<std::size_t>(indice)];
    m_.NumeroMin = livello.NumeroMin;
    m_.NumeroMax = livello.NumeroMax;
    m_.TestoLivello = livello.TestoLivello;
    return true;
}

void GeneratoreScheda::GeneraSot()
{
    IndiceRiga(s_.Indice);
    casuale_.Riseme(orologio_.SecondiDaMezzanotte());
    const Quaterna q = EstraiUguaglianza(casuale_, m_.NumeroMin, m_.NumeroMax, s_.Appoggio);
    s_.Num1 = q.Num1;
    s_.Num2 = q.Num2;
    s_.Num3 = q.Num3;
    s_.Num4 = q.Num4;
    s_.StrNum1 = TestoConSegno(s_.Num1);
    s_.StrNum2 = TestoConSegno(s_.Num2);
    s_.StrNum3 = TestoConSegno(s_.Num3);
    s_.StrNum4 = TestoConSegno(s_.Num4);
    s_.Segno = Segno;
    AllineaScheda();
}

void GeneratoreScheda::AllineaScheda()
{
    IndiceRiga(s_.Indice);
    Allinea(s_.StrNum1, s_.Spazi1);
    Allinea(s_.StrNum2, s_.Spazi2);
    Allinea(s_.StrNum3, s_.Spazi3);
    // The fourth term is padded like the others, so its column never
    // depends on what the exercise window last showed.
    Allinea(s_.StrNum4, s_.Spazi5);
    CostruisciRiga(s_.Indice);
}

void GeneratoreScheda::CostruisciRiga(int indice)
{
    const std::size_t i = IndiceRiga(indice);
    switch (s_.OpzioniInUso.Nascosto) {
    case TermineDaNascondere::Risultato:
        s_.TermineNascosto = 4;
        break;
    case TermineDaNascondere::UnTermine:
        s_.TermineNascosto = UnoFra(casuale_, 3);
        break;
    case TermineDaNascondere::RisultatoOTermine:
        s_.TermineNascosto = UnoFra(casuale_, 4);
        break;
    }

    std::string riga;
    switch (s_.TermineNascosto) {
    case 1:
        s_.StrSoluzione = s_.StrNum1;
        riga = " ... " + s_.Segno + s_.Spazi2 + s_.StrNum2 + " = " + s_.Spazi3 + s_.StrNum3 + s_.Segno + s_.Spazi5 +
               s_.StrNum4;
        break;
    case 2:
        s_.StrSoluzione = s_.StrNum2;
        riga = s_.Spazi1 + s_.StrNum1 + s_.Segno + " ... = " + s_.Spazi3 + s_.StrNum3 + s_.Segno + s_.Spazi5 +
               s_.StrNum4;
        break;
    case 3:
        s_.StrSoluzione = s_.StrNum3;
        riga = s_.Spazi1 + s_.StrNum1 + s_.Segno + s_.Spazi2 + s_.StrNum2 + " =  ... " + s_.Segno + s_.Spazi5 +
               s_.StrNum4;
        break;
    default:
        s_.StrSoluzione = s_.StrNum4;
        riga = s_.Spazi1 + s_.StrNum1 + s_.Segno + s_.Spazi2 + s_.StrNum2 + " = " + s_.Spazi3 + s_.StrNum3 + s_.Segno +
               " ... ";
        break;
    }
    riga += Risposta;
    s_.RigheDocenti[i] = riga + "    (" + s_.StrSoluzione + ")";
    s_.RigheAlunni[i] = std::move(riga);
}

void GeneratoreScheda::VisualizzaSchedaAlunni()
{
    s_.OpzioniInUso = s_.Opzioni;
    s_.TestoLivelloInUso = m_.TestoLivello;
    for (int riga = 1; riga <= StatoScheda::RigheScheda; ++riga) {
        const auto i = static_cast<std::size_t>(riga);
        s_.Indice = static_cast<std::int16_t>(riga);
        if (s_.OpzioniInUso.InUso(riga)) {
            GeneraSot();
        } else {
            // A line left over from a larger sheet would turn up in the
            // teacher view of this one.
            s_.RigheAlunni[i].clear();
            s_.RigheDocenti[i].clear();
        }
        s_.RigheVisualizzate[i] = s_.RigheAlunni[i];
    }
}

void GeneratoreScheda::VisualizzaSchedaDocenti()
{
    for (std::size_t i = 1; i <= StatoScheda::RigheScheda; ++i) {
        s_.RigheVisualizzate[i] = s_.RigheDocenti[i];
    }
}

} // namespace lumivex
