// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "windows/common/Proporzioni.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace lumivex {

// Keeps every control of a window at the fractions of the client area it had
// at load. The window calls RegistraProporzioni once, from its constructor
// after setupUi; from then on every resize of the client area (a
// QMainWindow's central widget, else the window itself) moves each control
// with one setGeometry. Fonts are left alone.
//
// Controls are the window's descendant widgets in child order, Qt's own
// inner parts ("qt_" names, popups, the insides of a combo box) excluded.
// Combo boxes, menus, menu bars and lines keep their geometry: a line is a
// QFrame shaped HLine or VLine, or any widget passed to SegnaComeLinea.
//
// Hold it as a member of the window.
class ScalaProporzionale : public QObject {
    Q_OBJECT

public:
    ScalaProporzionale() = default;
    ~ScalaProporzionale() override;

    ScalaProporzionale(const ScalaProporzionale &) = delete;
    ScalaProporzionale &operator=(const ScalaProporzionale &) = delete;

    static void SegnaComeLinea(QWidget &controllo);
    static QWidget &AreaClient(QWidget &finestra);

    void RegistraProporzioni(QWidget &finestra);
    void ApplicaProporzioni();
    // A window's own layout work, run after every ApplicaProporzioni.
    void ImpostaDopoApplicazione(std::function<void()> passo);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    QPointer<QWidget> area_;
    std::vector<QPointer<QWidget>> controlli_;
    std::vector<Proporzioni> proporzioni_;
    std::function<void()> dopoApplicazione_;
};

} // namespace lumivex
