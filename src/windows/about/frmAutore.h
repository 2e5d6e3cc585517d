// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmAutore;
}

namespace lumivex {

// The About box: where to find the program and its makers.
class frmAutore : public QWidget {
    Q_OBJECT

public:
    frmAutore();
    ~frmAutore() override;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    std::unique_ptr<Ui::frmAutore> ui_;
};

} // namespace lumivex
