// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheets/ElencoClasse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumivex {
namespace {

using Nomi = std::vector<std::string>;

// Catches: a byte-order mark glued to the first name; Windows or old Mac
// line ends leaving a carriage return in a name or merging two; blank
// lines or blanks around a name becoming pupils; accents and apostrophes
// altered; a CSV's quotes or separators kept in the name; a file that is
// not text (a picture, a spreadsheet, another encoding) read as names.
TEST(ElencoClasse, LetturaDiTestiEFile)
{
    struct Caso {
        const char *descrizione;
        std::string testo;
        std::optional<Nomi> attesi;
    };
    const std::vector<Caso> casi{
        {"scritto", "Anna Rossi\nNicolò Bianchi\n", Nomi{"Anna Rossi", "Nicolò Bianchi"}},
        {"BOM e CRLF", "\xEF\xBB\xBFGiulia D'Angelo\r\nLuca Verdi\r\n\r\n", Nomi{"Giulia D'Angelo", "Luca Verdi"}},
        {"CR soli", "Uno\rDue\r", Nomi{"Uno", "Due"}},
        {"righe vuote e spazi", "\n  \n\t Marco  \n\nSara\n   ", Nomi{"Marco", "Sara"}},
        {"CSV", "Rossi;Anna\n\"D'Angelo, Nicolò\"\n\"Il \"\"Gufo\"\"\",,\n", Nomi{"Rossi Anna", "D'Angelo, Nicolò", "Il \"Gufo\""}},
        {"vuoto", "", Nomi{}},
        {"NUL", std::string("Anna\0Rossi\n", 11), std::nullopt},
        {"PNG", "\x89PNG\r\n\x1a\n", std::nullopt},
        {"Latin-1", "Nicol\xF2\n", std::nullopt},
        {"UTF-8 troncato", "Nicol\xC3", std::nullopt},
        {"surrogato", "\xED\xA0\x80", std::nullopt},
        {"troppo lungo", std::string(MassimoByteElenco + 1, 'a'), std::nullopt},
    };
    for (const Caso &caso : casi) {
        SCOPED_TRACE(caso.descrizione);
        EXPECT_EQ(LeggiElencoClasse(caso.testo), caso.attesi);
    }
}

} // namespace
} // namespace lumivex
