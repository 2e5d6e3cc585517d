// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QPalette>

class QApplication;
class QCoreApplication;

namespace lumivex {

// The id of the desktop entry, the icon and the metainfo: the desktop groups
// the program's windows under its menu entry by this name.
inline constexpr char IdApplicazione[] = "it.lumivex.Lumivex";

// The language of the toolkit's own dialogs. The program speaks Italian, so
// they do too whatever the session's locale; an Italian locale keeps its
// region.
QLocale LinguaDialoghi(const QLocale &sistema);

// Loads the toolkit's Italian translations into the application; false when
// they are not installed (the dialogs then stay in English).
bool CaricaTraduzioniToolkit(QCoreApplication &applicazione, const QLocale &sistema);

// The form colours are the program's own and were chosen against a light
// window: every role of every group is fixed, so a dark desktop theme
// changes nothing of them.
QPalette TavolozzaProgramma();

// Palette and desktop entry name, before the first window is made.
void ImpostaApplicazione();

// What no start window shows, so the start does it after its first frame:
// the toolkit's translations (its own dialogs and menus) and the window icon
// of every window, those already open too (the desktop finds the program's
// icon through its desktop entry first; this copy is for the window list).
void CompletaApplicazione(QApplication &applicazione);

} // namespace lumivex
