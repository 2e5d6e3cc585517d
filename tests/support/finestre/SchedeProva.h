// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/StampanteQt.h"
#include "support/finestre/FinestreProva.h"

#include <QPointer>

#include <optional>

namespace lumivex::prove {

// The worksheet window in the program's wiring, printing through the real
// print service, where a save as PDF is always cancelled. Each case starts
// as a freshly started program (Ricomincia) and leaves no window (Scarica).
struct SchedeProva {
    // Nothing chosen, no sheet drawn, nothing queued in the random source.
    void Ricomincia();
    // Closes the program's message boxes and unloads the worksheet window
    // and the printer choice; false if the window outlives the wait.
    [[nodiscard]] bool Scarica();
    // Loaded and shown maximized, as the start window's menu shows it; the
    // caller activates it in its own way.
    FrmStampaSchedeBig &Mostra();

    // The window's control `nome`; a missing one ends the test program.
    template <class T = QPushButton>
    T *Controllo(const char *nome) const
    {
        return Figlio<T>(*finestra, QString::fromLatin1(nome));
    }
    // The sixty lines on screen.
    QStringList Righe() const;

    StampanteQt stampante{[](const QString &) { return std::optional<QString>(); }};
    Programma programma{stampante};
    QPointer<FrmStampaSchedeBig> finestra;
};

} // namespace lumivex::prove
