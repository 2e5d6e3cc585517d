// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PrimoQuadro.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace lumivex {

namespace {

// Lives with the application, not the window, so the time limit holds even
// when the window goes first.
class Attesa : public QObject {
public:
    Attesa(QWidget &finestra, std::function<void()> passo, std::chrono::milliseconds limite)
        : QObject(QCoreApplication::instance())
        , finestra_(&finestra)
        , passo_(std::move(passo))
    {
        finestra.installEventFilter(this);
        QTimer::singleShot(limite, this, [this] { Esegui(); });
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // The frame is flushed to the screen right after its paint events:
        // a call queued now runs once it is out.
        if (oggetto == finestra_ && evento->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { Esegui(); });
        return false;
    }

private:
    void Esegui()
    {
        if (!passo_)
            return;
        if (finestra_)
            finestra_->removeEventFilter(this);
        std::function<void()> passo = std::exchange(passo_, nullptr);
        deleteLater();
        passo();
    }

    QPointer<QWidget> finestra_;
    std::function<void()> passo_;
};

} // namespace

void DopoIlPrimoQuadro(QWidget &finestra, std::function<void()> passo, std::chrono::milliseconds limite)
{
    new Attesa(finestra, std::move(passo), limite);
}

} // namespace lumivex
