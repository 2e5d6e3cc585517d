// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QString>

class QLabel;
class QWidget;

namespace lumivex {

// A caption spaced out letter by letter for the eye ("C h i u d i",
// "E S E R C I Z I   E S E G U I T I") as a screen reader should say it
// ("Chiudi", "Esercizi eseguiti"); any other caption comes back unchanged.
QString TestoParlato(const QString &didascalia);

// Gives every spaced-out caption of the window's buttons and labels its
// spoken name, unless the window already named the control.
void NominaDidascalieSpaziate(QWidget &finestra);

// The role a screen reader announces for the control, where the toolkit's
// own guess is wrong (a plain widget shown as a window is a "filler").
// Call it before the control is first shown or read: a reader keeps the
// role it met first.
void ImpostaRuoloLetto(QWidget &controllo, QAccessible::Role ruolo);

// Keeps the control out of what a screen reader says: a second stroke of
// a drawing already named by the first. Same timing as ImpostaRuoloLetto.
void NascondiAiLettori(QWidget &controllo);

// A bare value ("3", "", " 12") named after the label that stands over it
// and points at it as its buddy: "Risposte esatte: 3". An empty value is
// the zero the program leaves unwritten.
void NominaDallIntestazione(QLabel &valore);


} // namespace lumivex
