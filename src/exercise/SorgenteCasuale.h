// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace lumivex {

class SorgenteCasuale {
public:
    virtual ~SorgenteCasuale() = default;
    // Mixes a clock reading into the state. The sequence goes on from where
    // it was: reseeding with the same reading never replays earlier draws.
    virtual void Riseme(float secondi) = 0;
    // Uniform in [0, 1).
    virtual float Prossimo() = 0;
};

class SorgenteCasualeReale final : public SorgenteCasuale {
public:
    // A state taken from the operating system's entropy.
    SorgenteCasualeReale();
    explicit SorgenteCasualeReale(std::uint64_t stato);

    void Riseme(float secondi) override;
    float Prossimo() override;

private:
    std::uint64_t stato_;
};

} // namespace lumivex
