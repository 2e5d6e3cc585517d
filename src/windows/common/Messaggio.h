#pragma once

#include <QString>

class QWidget;

namespace lumivex {

// A message box with OK only, modal to its window but without a nested event
// loop: the handler that shows it goes on, and the pupil's work stays as it was.
void MostraMessaggio(QWidget *genitore, const QString &testo);

// The same for news that is no fault (a page waiting for a paused printer).
void MostraInformazione(QWidget *genitore, const QString &testo);

} // namespace lumivex
