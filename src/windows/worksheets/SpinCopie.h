// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSpinBox>

namespace lumivex {

// The number of copies as a teacher types it: a number above the largest
// becomes the largest, not its first digits, as QSpinBox would leave it by
// refusing the key that made it too large.
class SpinCopie : public QSpinBox {
    Q_OBJECT

public:
    explicit SpinCopie(QWidget *genitore = nullptr);

protected:
    QValidator::State validate(QString &testo, int &posizione) const override;
    void fixup(QString &testo) const override;
};

} // namespace lumivex
