// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace lumivex::prove {

// The texts of the program's message boxes shown over `finestra`, each then
// closed with its OK; nothing when the window is gone.
inline QStringList ChiudiMessaggi(const QWidget *finestra)
{
    QStringList testi;
    if (finestra == nullptr) {
        return testi;
    }
    for (QMessageBox *scatola : finestra->findChildren<QMessageBox *>(QStringLiteral("messaggio"))) {
        if (scatola->isVisible()) {
            testi.append(scatola->text());
            QTest::mouseClick(scatola->button(QMessageBox::Ok), Qt::LeftButton);
        }
    }
    return testi;
}

} // namespace lumivex::prove
