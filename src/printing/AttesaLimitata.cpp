// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/AttesaLimitata.h"

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

namespace lumivex {

namespace {

using namespace std::chrono_literals;

// A print system that answers this fast is waited for without any event
// being processed: the usual case stays as plain as a direct call.
constexpr auto AttesaDiretta = 50ms;
constexpr auto Intervallo = 10ms;

class CursoreOccupato {
public:
    CursoreOccupato()
        : attivo_(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (attivo_) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
    }
    ~CursoreOccupato()
    {
        if (attivo_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    CursoreOccupato(const CursoreOccupato &) = delete;
    CursoreOccupato &operator=(const CursoreOccupato &) = delete;

private:
    bool attivo_;
};

} // namespace

bool AttendiSenzaBloccare(const std::function<bool(std::chrono::milliseconds)> &pronto,
                          std::chrono::milliseconds limite)
{
    if (pronto(std::min<std::chrono::milliseconds>(AttesaDiretta, limite))) {
        return true;
    }
    const QCoreApplication *applicazione = QCoreApplication::instance();
    if (applicazione == nullptr || QThread::currentThread() != applicazione->thread()) {
        // No windows to keep alive here.
        return pronto(std::max<std::chrono::milliseconds>(limite - AttesaDiretta, 0ms));
    }

    const CursoreOccupato cursore;
    QElapsedTimer trascorso;
    trascorso.start();
    QEventLoop ciclo;
    QTimer controllo;
    controllo.setInterval(Intervallo);
    bool esito = false;
    QObject::connect(&controllo, &QTimer::timeout, &ciclo, [&] {
        if (pronto(0ms)) {
            esito = true;
            ciclo.quit();
        } else if (std::chrono::milliseconds(trascorso.elapsed()) + AttesaDiretta >= limite) {
            ciclo.quit();
        }
    });
    controllo.start();
    ciclo.exec(QEventLoop::ExcludeUserInputEvents);
    return esito || pronto(0ms);
}

} // namespace lumivex
