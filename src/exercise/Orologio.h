// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

namespace lumivex {

class Orologio {
public:
    static constexpr float SecondiInUnGiorno = 86400.0F;

    virtual ~Orologio() = default;
    // Seconds since local midnight, with fractions: a time of day, which
    // jumps with daylight saving and clock corrections.
    virtual float SecondiDaMezzanotte() = 0;
    // Seconds on a clock that only moves forward; only differences between
    // two readings mean anything. Answer times are measured on it.
    virtual double SecondiMonotoni() = 0;
    // Today's date in the user's short date form.
    virtual std::string DataBreve() = 0;
};

// The machine's clock, in local time.
class OrologioDiSistema final : public Orologio {
public:
    float SecondiDaMezzanotte() override;
    double SecondiMonotoni() override;
    std::string DataBreve() override;
};

// A day in the date form of the user's regional settings (LC_ALL, LC_TIME,
// LANG, as the C library resolves them); dd/mm/yyyy where they name none, or
// name the C locale or one the machine lacks.
std::string DataBreveDi(const std::tm &giorno);

} // namespace lumivex
