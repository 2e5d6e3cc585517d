// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/cups/ServerCupsPrivato.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

namespace lumivex::prove {

// What the program did while the print server was frozen: how long the
// action took, and how often a 50 ms timer of the test fired meanwhile
// (none at all means the event loop froze with the server).
struct AttesaSospesa {
    qint64 Millisecondi = 0;
    int Battiti = 0;
};

// Runs azione with the server frozen, then lets it answer again.
inline AttesaSospesa ConServerSospeso(ServerCupsPrivato &server, const std::function<void()> &azione)
{
    AttesaSospesa attesa;
    QTimer battito;
    battito.setInterval(50);
    QObject::connect(&battito, &QTimer::timeout, [&attesa] { ++attesa.Battiti; });
    battito.start();
    const Sospensione sospeso(server);
    QElapsedTimer durata;
    durata.start();
    azione();
    attesa.Millisecondi = durata.elapsed();
    battito.stop();
    return attesa;
}

} // namespace lumivex::prove
