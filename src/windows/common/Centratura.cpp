// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/Centratura.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace lumivex {

void CentraSulloSchermo(QWidget &finestra)
{
    if (const QScreen *schermo = finestra.screen()) {
        finestra.setGeometry(
            QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, finestra.size(), schermo->availableGeometry()));
    }
}

} // namespace lumivex
