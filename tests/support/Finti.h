// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"

#include <array>
#include <cmath>
#include <deque>
#include <string>

namespace lumivex::prove {

// A clock the test sets by hand: the time of day and, apart from it, the
// monotonic clock answers are timed on.
class OrologioFinto final : public Orologio {
public:
    float Ora = 36000.0F;
    double Monotono = 5000.0;
    std::string Data = "07/12/2026";
    int Letture = 0;

    float SecondiDaMezzanotte() override
    {
        ++Letture;
        return Ora;
    }
    double SecondiMonotoni() override { return Monotono; }
    std::string DataBreve() override { return Data; }

    // Time passing: both clocks move on, the time of day round midnight.
    void Avanza(double secondi)
    {
        Monotono += secondi;
        Ora = static_cast<float>(std::fmod(static_cast<double>(Ora) + secondi, double{SecondiInUnGiorno}));
    }
};

// Draws the values queued by the test, then goes on with a fixed-seed real
// source so long runs stay repeatable.
class SorgenteFinta final : public SorgenteCasuale {
public:
    std::deque<float> Valori;
    int Risemine = 0;

    void Riseme(float) override { ++Risemine; }
    float Prossimo() override
    {
        if (Valori.empty()) {
            return riserva_.Prossimo();
        }
        const float valore = Valori.front();
        Valori.pop_front();
        return valore;
    }

    // Queues the draws that make the generator produce exactly these terms
    // (already in order, first ≥ second, third ≥ fourth) and hide `nascosto`.
    void Problema(int minimo, int massimo, std::array<int, 4> termini, int nascosto)
    {
        const float ampiezza = static_cast<float>(massimo - minimo);
        for (int termine : termini) {
            Valori.push_back((static_cast<float>(termine - minimo) + 0.5F) / ampiezza);
        }
        Valori.push_back((static_cast<float>(nascosto - 1) + 0.5F) / 4.0F);
    }

private:
    SorgenteCasualeReale riserva_{12345};
};

} // namespace lumivex::prove
