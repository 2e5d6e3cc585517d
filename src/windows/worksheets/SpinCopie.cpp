// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/worksheets/SpinCopie.h"

namespace lumivex {

namespace {

// The digits typed, as a number above the largest, if they are one.
bool OltreIlMassimo(const QString &testo, int massimo)
{
    bool numero = false;
    const qlonglong valore = testo.trimmed().toLongLong(&numero);
    return numero && valore > massimo;
}

} // namespace

SpinCopie::SpinCopie(QWidget *genitore)
    : QSpinBox(genitore)
{
}

QValidator::State SpinCopie::validate(QString &testo, int &posizione) const
{
    // Intermediate keeps the key; fixup settles the value when the
    // entry ends.
    if (OltreIlMassimo(testo, maximum())) {
        return QValidator::Intermediate;
    }
    return QSpinBox::validate(testo, posizione);
}

void SpinCopie::fixup(QString &testo) const
{
    if (OltreIlMassimo(testo, maximum())) {
        testo = QString::number(maximum());
        return;
    }
    QSpinBox::fixup(testo);
}

} // namespace lumivex
