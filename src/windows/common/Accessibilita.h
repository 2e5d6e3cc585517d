// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace lumivex {

// A caption spaced out letter by letter for the eye ("C h i u d i",
// "E S E R C I Z I   E S E G U I T I") as a screen reader should say it
// ("Chiudi", "Esercizi eseguiti"); any other caption comes back unchanged.
QString TestoParlato(const QString &didascalia);

// Gives every spaced-out caption of the window's buttons and labels its
// spoken name, unless the window already named the control.
void NominaDidascalieSpaziate(QWidget &finestra);

} // namespace lumivex
