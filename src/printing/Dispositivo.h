// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace lumivex {

// One printer as the printing service lists it. Names are distinct, so the
// name alone identifies the printer.
struct Dispositivo {
    std::string Nome;

    friend bool operator==(const Dispositivo &, const Dispositivo &) = default;
};

} // namespace lumivex
