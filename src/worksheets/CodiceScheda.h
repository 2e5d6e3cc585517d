// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheets/OpzioniScheda.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumivex {

// What a sheet code carries: enough to draw the whole sheet again.
struct DatiScheda {
    int Livello = 0; // index into LivelliScheda
    OpzioniScheda Opzioni;
    std::uint32_t Seme = 0; // below NumeroSemi

    friend bool operator==(const DatiScheda &, const DatiScheda &) = default;
};

// Six characters from an alphabet of 31 with no look-alikes (no 0/O, 1/I/L).
// A sheet of mixed borrowing, the only kind there was before the choice:
//   characters 1..5: V = Seme × 54 + combination, in base 31, most
//                    significant first; the combination is
//                    Livello × 18 + operations × 9 + groups × 3 + hidden term,
//                    each an index in its enum's order;
//   character 6:     check, chosen so that Σ (i × digit_i), i = 1..6, is a
//                    multiple of 31.
// 31 is prime and the weights 1..6 are below it, so any single substituted
// character and any swap of two neighbours change the sum.
//
// Those codes fill the whole space of six such characters, so a sheet with
// or without borrowing starts with two of the four signs "+=#%" instead:
//   characters 1..2: signs, digits in base 4; characters 3..5 in base 31;
//                    together V = Seme × 108 + borrowing × 54 + combination
//                    (borrowing 0 without, 1 with);
//   character 6:     the same check, the signs counting as digits 0..3.
// One changed character leaves a code with one sign, or a sign after the
// second place, which no sheet has; the check catches the rest.
class CodiceScheda {
public:
    static constexpr std::string_view Alfabeto = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
    static constexpr std::string_view Segni = "+=#%";
    static constexpr int Lunghezza = 6;
    static constexpr std::uint32_t Combinazioni = 54;
    // 31^5 / 54, rounded down: the values above the last full set of
    // combinations are no code.
    static constexpr std::uint32_t NumeroSemi = 530169;
    // 4 × 4 × 31^3 / 108, rounded down, for the sheets with or without
    // borrowing.
    static constexpr std::uint32_t NumeroSemiPrestito = 4413;

    enum class Errore { Nessuno, Lunghezza, Carattere, Controllo };

    // How many seeds the codes of sheets with this borrowing choice hold.
    static std::uint32_t Semi(PrestitoScheda prestito);

    // Throws std::out_of_range for a level, option or seed outside its range.
    static std::string Componi(const DatiScheda &dati);

    // Blanks around the code and lower case are accepted, as a teacher types it.
    static Errore Leggi(std::string_view codice, DatiScheda &dati);
};

} // namespace lumivex
