// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmAutore;
}

namespace lumivex {

class RegistroFinestre;

// The About box: where to find the program and its makers.
class frmAutore : public QWidget {
    Q_OBJECT

public:
    explicit frmAutore(RegistroFinestre &registro);
    ~frmAutore() override;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    RegistroFinestre &registro_;
    std::unique_ptr<Ui::frmAutore> ui_;
};

} // namespace lumivex
