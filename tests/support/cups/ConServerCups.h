// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/cups/ServerCupsPrivato.h"

#include <exception>
#include <functional>
#include <iostream>
#include <optional>

namespace lumivex::prove {

// Runs a test program with the private server up. The server comes first:
// the print system reads CUPS_SERVER once, at its first question.
inline int ConServerCups(const std::function<int(ServerCupsPrivato &)> &prove)
{
    std::optional<ServerCupsPrivato> server;
    try {
        server.emplace();
    } catch (const std::exception &errore) {
        std::cerr << "Cannot start the private CUPS server: " << errore.what() << '\n';
        return 1;
    }
    return prove(*server);
}

} // namespace lumivex::prove
