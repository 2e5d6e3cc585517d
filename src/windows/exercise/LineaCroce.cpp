// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/exercise/LineaCroce.h"

#include <QPainter>
#include <QPen>

namespace lumivex {

LineaCroce::LineaCroce(Verso verso, QWidget *genitore)
    : QWidget(genitore)
    , verso_(verso)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void LineaCroce::paintEvent(QPaintEvent *)
{
    QPainter pittore(this);
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setPen(QPen(QColor(255, 0, 0), 4));
    const QRect r = rect();
    if (verso_ == Verso::Discendente) {
        pittore.drawLine(r.topLeft(), r.bottomRight());
    } else {
        pittore.drawLine(r.bottomLeft(), r.topRight());
    }
}

} // namespace lumivex
