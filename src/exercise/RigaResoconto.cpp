// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/RigaResoconto.h"

#include "exercise/Conversioni.h"

namespace lumivex {

void AllineaTermine(const std::string &numero, std::string &spazi)
{
    const auto cifre = SenzaSpazi(numero).size();
    if (cifre == 2) {
        spazi = " ";
    } else if (cifre == 1) {
        spazi = "  ";
    }
}

std::string RigaTermini(const TerminiRiga &t)
{
    const auto &[n1, n2, n3, n4] = t.Testi;
    const auto &[p1, p2, p3, p4] = t.Spazi;
    switch (t.Nascosto) {
    case 1:
        return " ..." + t.Segno1 + p2 + n2 + " = " + p3 + n3 + t.Segno2 + p4 + n4;
    case 2:
        return p1 + n1 + t.Segno1 + " ... = " + p3 + n3 + t.Segno2 + p4 + n4;
    case 3:
        return p1 + n1 + t.Segno1 + p2 + n2 + " =  ..." + t.Segno2 + p4 + n4;
    default:
        return p1 + n1 + t.Segno1 + p2 + n2 + " = " + p3 + n3 + t.Segno2 + " ... ";
    }
}

std::string SpaziFinoAllaRisposta(std::size_t lunghezza)
{
    const auto colonna = static_cast<std::size_t>(ColonnaRisposta);
    return std::string(lunghezza < colonna ? colonna - lunghezza : 0, ' ');
}

const char *Contrassegno(bool esatta)
{
    return esatta ? "  " : "* ";
}

std::string RigaResoconto(const ProblemaConcluso &problema)
{
    TerminiRiga termini;
    termini.Segno1 = SegnoSottrazione;
    termini.Segno2 = SegnoSottrazione;
    termini.Nascosto = problema.Nascosto;
    for (std::size_t k = 0; k < 4; ++k) {
        termini.Testi[k] = TestoConSegno(problema.Termini[k]);
        AllineaTermine(termini.Testi[k], termini.Spazi[k]);
    }
    std::string riga = RigaTermini(termini);
    riga += SpaziFinoAllaRisposta(riga.size()) + AperturaRisposte;
    for (const RispostaData &risposta : problema.Risposte) {
        riga += risposta.Valore + Contrassegno(risposta.Esatta);
    }
    if (problema.Aiuto || problema.Intervento) {
        riga += TestoConSegno(problema.Soluzione) + SegnoAiuto;
    }
    return riga;
}

} // namespace lumivex
