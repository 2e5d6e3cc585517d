// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace lumivex {

// Places a dialog in the middle of its screen's available area; called from
// its showEvent, so every showing is centred.
void CentraSulloSchermo(QWidget &finestra);

} // namespace lumivex
