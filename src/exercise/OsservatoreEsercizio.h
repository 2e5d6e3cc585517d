// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lumivex {

// One answer checked with "Verifica": the digits typed (empty when the pupil
// checked none) and whether they were right.
struct RispostaData {
    std::string Valore;
    bool Esatta = false;

    bool operator==(const RispostaData &) const = default;
};

// A problem settled: answered right, or solved by the help or the program.
struct ProblemaConcluso {
    int Progressivo = 0; // 1..20 within the exercise
    std::array<std::int16_t, 4> Termini{};
    int Nascosto = 0; // 1..4
    std::int16_t Soluzione = 0;
    std::vector<RispostaData> Risposte;
    bool Aiuto = false;      // "SI" on the help panel
    bool Intervento = false; // the program gave the solution after three refusals
    int Secondi = 0;

    bool operator==(const ProblemaConcluso &) const = default;
};

struct EsitoEsercizio {
    int Esatte = 0;
    int Errate = 0;
    int Secondi = 0;
    // The grade in words the certificate gives these counters.
    std::string Voto;

    bool operator==(const EsitoEsercizio &) const = default;
};

// Told what the pupil does, as it happens, by the exercise and the shared
// state. Calls come on the pupil's own path: an observer must return at once
// and never wait for anything.
class OsservatoreEsercizio {
public:
    virtual ~OsservatoreEsercizio() = default;

    // The pupil sees the first problem of a new exercise in this range.
    virtual void EsercizioIniziato(std::int16_t minimo, std::int16_t massimo) = 0;
    virtual void ProblemaRisolto(const ProblemaConcluso &problema) = 0;
    // The twentieth problem is settled.
    virtual void EsercizioFinito(const EsitoEsercizio &esito) = 0;
    // The name window closed on a typed name: it belongs to the exercise of
    // this run and to the ones that follow.
    virtual void NomeConfermato(const std::string &nome) = 0;
};

} // namespace lumivex
