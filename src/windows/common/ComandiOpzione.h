// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/common/ColoriComando.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringView>

#include <functional>
#include <map>
#include <vector>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace lumivex {

// An array of command buttons: the push buttons the form names `Nome_0`,
// `Nome_1`, ... behave as one array whose elements run a command.
//
// The form keeps plain QPushButtons; this object installs itself as their
// event filter, so nothing needs promoting in Designer. Hold it as a member of
// the window, built after setupUi.
//
// - Focus colour and normal colour paint the button background (palette role
//   Button) as the focus comes and goes; give the design colour through the
//   palette, not a style sheet.
// - Any mouse button pressed on an element runs the command at once, the
//   second press of a double click included; the release does nothing.
//   click() from code and the accessibility "Press" action arrive as
//   clicked() and run it too. A button never stays down or checked.
// - Keys: digits 1..ultimaCifra (main row or numeric pad) and the associated
//   letters move the focus to their element if it can take it; Space walks to
//   the next element that can, wrapping; Enter runs the focused element's
//   command. Tab and Backtab keep Qt's focus chain so other controls stay
//   reachable; every other key is swallowed, arrows included.
// - A held key acts once, even after its command moved the focus to another
//   array or window (GuardiaTasti, installed by the first array built), and
//   every real press acts, wherever the previous key was released.
class ComandiOpzione : public QObject {
    Q_OBJECT

public:
    using Azione = std::function<void(int indice)>;
    // A window's own key model. Returns true when it dealt with the key;
    // false lets the array's rules above decide.
    using GestoreTasti = std::function<bool(int indice, int tasto, bool tastierinoNumerico)>;

    ComandiOpzione(QList<QPushButton *> elementi, ColoriComando colori, int ultimaCifra, Azione azione);
    ~ComandiOpzione() override;

    ComandiOpzione(const ComandiOpzione &) = delete;
    ComandiOpzione &operator=(const ComandiOpzione &) = delete;

    // The buttons `nome_0`, `nome_1`, ... under radice, up to the first
    // index that is missing.
    static QList<QPushButton *> Elementi(const QWidget &radice, QStringView nome);

    // A letter (Qt::Key_S, ...) that moves the focus like a digit.
    void AssociaTasto(int tasto, int indice);
    void ImpostaGestoreTasti(GestoreTasti gestore);

    int Conta() const { return static_cast<int>(elementi_.size()); }
    QPushButton *Elemento(int indice) const;
    // The element holding the focus, or -1.
    int IndiceConFuoco() const;

    // Enabled, shown and inside enabled frames.
    bool PuoRicevereFuoco(int indice) const;
    // Moves the focus there if the element can take it.
    bool SpostaFuoco(int indice);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    int IndiceDi(const QObject *oggetto) const;
    void Colora(int indice, const QColor &colore);
    void EseguiAzione(int indice);
    void TastoPremuto(int indice, const QKeyEvent &tasto);
    void FuocoAlSuccessivo(int indice);

    // QWidget, not QPushButton: a button half destroyed is only a QWidget,
    // and Elemento() casts with qobject_cast.
    std::vector<QPointer<QWidget>> elementi_;
    ColoriComando colori_;
    int ultimaCifra_;
    Azione azione_;
    GestoreTasti gestore_;
    std::map<int, int> tastiAssociati_;
};

} // namespace lumivex
