// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/GuardiaTasti.h"

#include <QApplicationStateChangeEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWindow>

namespace lumivex {

namespace {

// A held key repeats after at most about a second and then every few tens of
// milliseconds. A key believed down that has been silent for longer lost its
// release somewhere (a window destroyed under it): its next press is real.
constexpr quint64 SilenzioMassimoMs = 1500;

} // namespace

GuardiaTasti &GuardiaTasti::DellApplicazione()
{
    QCoreApplication *applicazione = QCoreApplication::instance();
    Q_ASSERT(applicazione != nullptr);
    auto *guardia = applicazione->findChild<GuardiaTasti *>(QString(), Qt::FindDirectChildrenOnly);
    if (guardia == nullptr)
        guardia = new GuardiaTasti(*applicazione);
    return *guardia;
}

GuardiaTasti::GuardiaTasti(QCoreApplication &applicazione)
    : QObject(&applicazione)
{
    applicazione.installEventFilter(this);
}

bool GuardiaTasti::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::ApplicationStateChange:
        // Releases made while another program has the keyboard never reach
        // us: start afresh rather than take the next press for a repeat.
        if (static_cast<const QApplicationStateChangeEvent *>(evento)->applicationState() != Qt::ApplicationActive)
            tasti_.clear();
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A key event passes this filter once for its window and again for
        // the focus widget and each parent it propagates to. The platform
        // always hands it to the window first: decide there, once.
        auto *finestra = qobject_cast<QWindow *>(oggetto);
        if (finestra == nullptr)
            return false;
        const auto &tasto = *static_cast<const QKeyEvent *>(evento);
        if (evento->type() == QEvent::KeyPress)
            return Ripetizione(*finestra, tasto);
        Rilascio(tasto);
        return false;
    }
    default:
        return false;
    }
}

bool GuardiaTasti::Ripetizione(QWindow &finestra, const QKeyEvent &pressione)
{
    StatoTasto &stato = Stato(pressione);
    const quint64 tempo = pressione.timestamp();
    // The release of a key whose window went away under it may never come.
    const bool ancoraGiu = stato.giu && stato.finestra != nullptr && stato.finestra->isVisible()
        && (tempo == 0 || stato.ultimoEvento == 0 || tempo - stato.ultimoEvento <= SilenzioMassimoMs);
    // Only the platform's own events carry a scan code; synthetic ones are
    // stamped with a clock that a quick release and press may share.
    const bool comeRilascio = pressione.nativeScanCode() != 0 && tempo != 0 && tempo == stato.ultimoRilascio;
    stato.giu = true;
    stato.finestra = &finestra;
    stato.ultimoEvento = tempo;
    return pressione.isAutoRepeat() || ancoraGiu || comeRilascio;
}

void GuardiaTasti::Rilascio(const QKeyEvent &rilascio)
{
    StatoTasto &stato = Stato(rilascio);
    stato.ultimoEvento = rilascio.timestamp();
    // A flagged release is half of a repeat: the key is still down.
    if (rilascio.isAutoRepeat())
        return;
    stato.giu = false;
    stato.ultimoRilascio = rilascio.timestamp();
}

GuardiaTasti::StatoTasto &GuardiaTasti::Stato(const QKeyEvent &tasto)
{
    const quint32 scansione = tasto.nativeScanCode();
    return tasti_[scansione != 0 ? std::pair{scansione, 0} : std::pair{0U, tasto.key()}];
}

} // namespace lumivex
