// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise/Modulo2.h"
#include "support/Finti.h"
#include "worksheets/CodiceScheda.h"
#include "worksheets/GeneratoreScheda.h"
#include "worksheets/LivelliScheda.h"
#include "worksheets/Prestito.h"
#include "worksheets/StatoScheda.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

namespace lumivex {
namespace {

// The four terms of a teacher line, the hidden one taken from the answer.
std::array<int, 4> Termini(const std::string &rigaDocenti)
{
    const auto parentesi = rigaDocenti.rfind('(');
    const int risposta = std::stoi(rigaDocenti.substr(parentesi + 1));
    std::istringstream parole(rigaDocenti.substr(0, parentesi));
    std::array<int, 4> termini{};
    std::size_t n = 0;
    for (std::string parola; parole >> parola && n < termini.size();) {
        if (parola == "...") {
            termini[n++] = risposta;
        } else if (std::isdigit(static_cast<unsigned char>(parola[0])) != 0) {
            termini[n++] = std::stoi(parola);
        }
    }
    return termini;
}

// Catches: a sheet "senza prestito" or "con prestito" with a problem that
// breaks the choice (either subtraction, units compared the wrong way
// round, tens taken for units); terms leaving the range or sides no longer
// equal; the hidden-term and group options lost once borrowing is chosen.
TEST(Prestito, OgniProblemaRispettaLaScelta)
{
    struct Caso {
        PrestitoScheda prestito;
        TermineDaNascondere nascosto;
        NumeroEsercizi esercizi;
    };
    const Caso casi[] = {
        {PrestitoScheda::Senza, TermineDaNascondere::Risultato, NumeroEsercizi::Sei},
        {PrestitoScheda::Con, TermineDaNascondere::RisultatoOTermine, NumeroEsercizi::Sei},
        {PrestitoScheda::Misto, TermineDaNascondere::UnTermine, NumeroEsercizi::Sei},
    };
    for (const Caso &caso : casi) {
        for (int livello = 0; livello < 3; ++livello) {
            SCOPED_TRACE(testing::Message() << "prestito " << static_cast<int>(caso.prestito) << ", livello " << livello);
            const LivelloScheda &intervallo = LivelliScheda[static_cast<std::size_t>(livello)];
            int problemi = 0;
            int conPrestito = 0;
            for (std::uint32_t seme = 0; seme < 70; ++seme) {
                DatiScheda dati;
                dati.Livello = livello;
                dati.Opzioni.Prestito = caso.prestito;
                dati.Opzioni.Nascosto = caso.nascosto;
                dati.Opzioni.Esercizi = caso.esercizi;
                dati.Seme = seme * 61;
                const StatoScheda scheda = GeneratoreScheda::Costruisci(dati);
                for (std::size_t riga = 1; riga <= 60; ++riga) {
                    const std::string &linea = scheda.RigheDocenti[riga];
                    ASSERT_FALSE(linea.empty()) << riga;
                    const auto [a, b, c, d] = Termini(linea);
                    ASSERT_TRUE(a - b == c - d && a >= b && c >= d) << linea;
                    for (int t : {a, b, c, d}) {
                        ASSERT_TRUE(t >= intervallo.NumeroMin && t < intervallo.NumeroMax) << linea;
                    }
                    const bool primo = a % 10 < b % 10;
                    const bool secondo = c % 10 < d % 10;
                    if (caso.prestito == PrestitoScheda::Senza) {
                        ASSERT_TRUE(!primo && !secondo) << linea;
                    } else if (caso.prestito == PrestitoScheda::Con) {
                        ASSERT_TRUE(primo && secondo) << linea;
                    }
                    conPrestito += primo ? 1 : 0;
                    if (caso.nascosto == TermineDaNascondere::Risultato) {
                        ASSERT_NE(linea.find("...      R."), std::string::npos) << linea;
                    } else if (caso.nascosto == TermineDaNascondere::UnTermine) {
                        ASSERT_EQ(linea.find("...      R."), std::string::npos) << linea;
                    }
                    ++problemi;
                }
            }
            EXPECT_GT(problemi, 4000);
            if (caso.prestito == PrestitoScheda::Misto) {
                // Mixed really mixes: both kinds turn up.
                EXPECT_GT(conPrestito, problemi / 10);
                EXPECT_LT(conPrestito, problemi * 9 / 10);
            }
        }
    }

    DatiScheda piccola;
    piccola.Opzioni = {OperazioniPerEsercizio::Cinque, NumeroEsercizi::Due, TermineDaNascondere::Risultato,
                       PrestitoScheda::Con};
    const StatoScheda scheda = GeneratoreScheda::Costruisci(piccola);
    for (int riga = 1; riga <= 60; ++riga) {
        EXPECT_EQ(scheda.RigheAlunni[static_cast<std::size_t>(riga)].empty(), !piccola.Opzioni.InUso(riga)) << riga;
    }
}

// Catches: a generator that loops for ever, or leaves a line empty, where
// the range cannot give the borrowing asked for; a fallback that picks a
// problem breaking the choice where the range has one that keeps it.
TEST(Prestito, UnIntervalloAvaroFinisceComunque)
{
    struct Caso {
        std::int16_t minimo;
        std::int16_t massimo;
        PrestitoScheda prestito;
        bool possibile;
    };
    // 10..10 holds only 10 - 10 = 10 - 10; 10..12 never borrows; 18..21
    // borrows rarely (20 - 18 = 21 - 19).
    const Caso casi[] = {
        {10, 11, PrestitoScheda::Con, false},
        {10, 13, PrestitoScheda::Con, false},
        {10, 11, PrestitoScheda::Senza, true},
        {18, 22, PrestitoScheda::Con, true},
    };
    for (const Caso &caso : casi) {
        SCOPED_TRACE(testing::Message() << caso.minimo << ".." << caso.massimo - 1);
        // Every draw 0: the plain draws always give minimo four times, so
        // only the fallback can find a problem with borrowing.
        prove::SorgenteFinta casuale;
        for (int i = 0; i < 60 * (4 * TentativiPrestito + 2); ++i) {
            casuale.Valori.push_back(0.0F);
        }
        prove::OrologioFinto orologio;
        Modulo2 m;
        m.NumeroMin = caso.minimo;
        m.NumeroMax = caso.massimo;
        StatoScheda s;
        s.OpzioniInUso.Prestito = caso.prestito;
        GeneratoreScheda g(m, s, casuale, orologio);
        for (std::int16_t i = 1; i <= 60; ++i) {
            s.Indice = i;
            g.GeneraSot();
            ASSERT_FALSE(s.RigheDocenti[static_cast<std::size_t>(i)].empty());
            ASSERT_EQ(s.Num1 - s.Num2, s.Num3 - s.Num4);
            if (caso.possibile) {
                ASSERT_TRUE(RispettaPrestito({s.Num1, s.Num2, s.Num3, s.Num4}, caso.prestito))
                    << s.RigheDocenti[static_cast<std::size_t>(i)];
            }
        }
    }
}

} // namespace
} // namespace lumivex
