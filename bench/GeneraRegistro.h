// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumivex::registro {

// A class's register as years of drilling would leave it, for the benchmarks
// of the register and its window. Repeatable: the same parameters give the
// same rows (apart from the random ids).
struct ParametriGenerazione {
    int Alunni = 30;
    int EserciziPerAnno = 200; // each pupil's
    int Anni = 10;
    unsigned Seme = 1;
    // Share of exercises left without a name, as when no pupil typed one.
    double SenzaNome = 0.03;
};

// Writes the register at `percorso` (made new, or added to), through the
// program's own schema. Returns an empty string, or what went wrong.
QString GeneraRegistro(const QString &percorso, const ParametriGenerazione &parametri);

} // namespace lumivex::registro
