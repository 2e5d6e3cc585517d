// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/about/frmAutore.h"

#include "ui_frmAutore.h"

#include "windows/common/Centratura.h"

#include <QPushButton>

namespace lumivex {

frmAutore::frmAutore()
    : ui_(std::make_unique<Ui::frmAutore>())
{
    ui_->setupUi(this);
    setFixedSize(size());
    connect(ui_->Command1, &QPushButton::clicked, this, &QWidget::close);
}

frmAutore::~frmAutore() = default;

void frmAutore::showEvent(QShowEvent *evento)
{
    CentraSulloSchermo(*this);
    QWidget::showEvent(evento);
}

} // namespace lumivex
