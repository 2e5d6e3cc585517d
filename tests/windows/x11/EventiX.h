// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>
#include <QKeyEvent>
#include <QObject>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>

namespace lumivex::prove {

// Sends real X events through xdotool and waits until the program has
// handled them: every run ends with F12, whose release closes the wait. A
// real event loop runs meanwhile, asleep until X has something, as it does
// for a person; polling would find every repeat's press already queued.
class EventiX : public QObject {
public:
    [[nodiscard]] bool Invia(const QString &comandi)
    {
        QEventLoop ciclo;
        QTimer limite;
        limite.setSingleShot(true);
        connect(&limite, &QTimer::timeout, &ciclo, &QEventLoop::quit);
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      comandi.split(QLatin1Char(' ')) + QStringList{QStringLiteral("key"), QStringLiteral("F12")});
        if (!xdotool.waitForStarted(5000)) {
            qWarning("xdotool non parte");
            return false;
        }
        ciclo_ = &ciclo;
        limite.start(20000);
        ciclo.exec();
        ciclo_ = nullptr;
        const bool arrivati = limite.isActive();
        if (!arrivati)
            qWarning("gli eventi di xdotool %s non arrivano", qPrintable(comandi));
        // waitForFinished() fails on a process that has already ended.
        const bool finito = xdotool.state() == QProcess::NotRunning || xdotool.waitForFinished(5000);
        return arrivati && finito && xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
    }

    // A click of the left button at `punto` of `widget`, its centre if none.
    [[nodiscard]] bool Clic(const QWidget &widget, QPoint punto = {-1, -1}, int volte = 1)
    {
        const QPoint dove = widget.mapToGlobal(punto.x() < 0 ? widget.rect().center() : punto);
        return Invia(QStringLiteral("mousemove --sync %1 %2 click --repeat %3 --delay 120 1")
                         .arg(dove.x())
                         .arg(dove.y())
                         .arg(volte));
    }

    // With no window manager nothing else gives a window the keyboard.
    [[nodiscard]] static bool Attiva(QWidget &finestra)
    {
        if (!QTest::qWaitForWindowExposed(&finestra))
            return false;
        finestra.activateWindow();
        return QTest::qWaitForWindowActive(&finestra);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (ciclo_ != nullptr && evento->type() == QEvent::KeyRelease && oggetto->isWindowType()
            && static_cast<QKeyEvent *>(evento)->key() == Qt::Key_F12)
            ciclo_->quit();
        return false;
    }

private:
    QEventLoop *ciclo_ = nullptr;
};

} // namespace lumivex::prove
