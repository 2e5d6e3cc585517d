// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

#include <QtGlobal>

#include <map>
#include <utility>

class QCoreApplication;
class QKeyEvent;
class QWindow;

namespace lumivex {

// Makes a held key act once in the whole program, whichever window or
// control the focus moves to while it is down.
//
// An X server repeats a held key as a release and a press. Qt flags the pair
// as auto-repeat only when the press is already queued as it reads the
// release; otherwise both arrive unflagged, with the same server timestamp.
// So a press is dropped when it is flagged, when its key is still down, or
// when it carries the timestamp of that key's last real release.
//
// Repeats are dropped, never latched: the key's state follows every release
// the program sees, so a real new press always acts.
class GuardiaTasti : public QObject {
    Q_OBJECT

public:
    // The application's guard, created and installed as an application event
    // filter on first use; the application owns it.
    static GuardiaTasti &DellApplicazione();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    explicit GuardiaTasti(QCoreApplication &applicazione);

    struct StatoTasto {
        bool giu = false;
        QPointer<QWindow> finestra; // that took the press
        quint64 ultimoRilascio = 0;
        quint64 ultimoEvento = 0;
    };

    // True when the press is a repeat and must not reach the program.
    bool Ripetizione(QWindow &finestra, const QKeyEvent &pressione);
    void Rilascio(const QKeyEvent &rilascio);
    StatoTasto &Stato(const QKeyEvent &tasto);

    // By scan code when the platform gives one (shift may change key()
    // between press and release), by key code for synthetic events.
    std::map<std::pair<quint32, int>, StatoTasto> tasti_;
};

} // namespace lumivex
