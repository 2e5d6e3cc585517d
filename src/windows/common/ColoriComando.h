// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace lumivex {

// A command array's button background: with the focus and without.
struct ColoriComando {
    QColor Fuoco;
    QColor Normale;
};

// The exercise, report and certificate windows.
inline const ColoriComando ColoriArancio{QColor(255, 192, 128), QColor(255, 224, 192)};
// The start window.
inline const ColoriComando ColoriCiano{QColor(128, 255, 255), QColor(192, 255, 255)};

} // namespace lumivex
