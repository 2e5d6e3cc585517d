#pragma once

#include <string>

namespace lumivex {

class Orologio {
public:
    static constexpr float SecondiInUnGiorno = 86400.0F;

    virtual ~Orologio() = default;
    // Seconds since local midnight, with fractions.
    virtual float SecondiDaMezzanotte() = 0;
    // Today's date in the user's short date form.
    virtual std::string DataBreve() = 0;
};

// The machine's clock, in local time.
class OrologioDiSistema final : public Orologio {
public:
    float SecondiDaMezzanotte() override;
    std::string DataBreve() override;
};

} // namespace lumivex
