// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/OsservatoreEsercizio.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumivex {

// The pieces of a problem's line in the exercise log. The exercise builds
// the line from them as the pupil works; the register rebuilds it from what
// it recorded, so both read alike.

inline constexpr const char *SegnoSottrazione = " - ";
// After the solution the program showed (help accepted, or its intervention).
inline constexpr const char *SegnoAiuto = "\u00B0";
inline constexpr const char *AperturaRisposte = "(R.";
inline constexpr int ColonnaRisposta = 35;

// The blanks that right-align a term of one or two digits; a longer term
// leaves `spazi` as it was.
void AllineaTermine(const std::string &numero, std::string &spazi);

struct TerminiRiga {
    std::array<std::string, 4> Testi; // the terms as TestoConSegno gives them
    std::array<std::string, 4> Spazi; // the alignment before each
    std::string Segno1;
    std::string Segno2;
    int Nascosto = 1; // 1..4
};

// The equality the line opens with, the hidden term as "...".
std::string RigaTermini(const TerminiRiga &termini);

// The blanks that take a line of `lunghezza` characters to the answer column.
std::string SpaziFinoAllaRisposta(std::size_t lunghezza);

// The mark after an answer: blanks when right, a star when wrong.
const char *Contrassegno(bool esatta);

// A settled problem's whole line, as the report window lists it.
std::string RigaResoconto(const ProblemaConcluso &problema);

} // namespace lumivex
