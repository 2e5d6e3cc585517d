// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace lumivex {
struct EsitoStampa;
}

namespace lumivex {

// A message box with OK only, modal to its window but without a nested event
// loop: the handler that shows it goes on, and the pupil's work stays as it was.
void MostraMessaggio(QWidget *genitore, const QString &testo);

// How a print ended, told the user: nothing when there is nothing to say,
// a notice as information, a fault as a warning.
void MostraEsitoStampa(QWidget *genitore, const EsitoStampa &esito);

} // namespace lumivex
