// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace lumivex {

// One red stroke of the cross over a wrong answer: a diagonal of its own
// rectangle, which the exercise window lays over a term label.
class LineaCroce : public QWidget {
    Q_OBJECT

public:
    enum class Verso { Discendente, Ascendente };

    LineaCroce(Verso verso, QWidget *genitore);

protected:
    void paintEvent(QPaintEvent *evento) override;

private:
    Verso verso_;
};

} // namespace lumivex
