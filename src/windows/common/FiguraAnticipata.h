// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>

#include <future>

class QLabel;

namespace lumivex {

// A picture shown stretched over a label (scaledContents), scaled on a
// thread of its own as soon as the label's size is known, while the window
// goes on building and painting its other controls. At the label's paint
// the label is handed the picture at exactly the size it would scale it to
// itself, from the same original with the same smooth scaling, so it shows
// the same pixels and has no scaling of its own left to do.
//
// Hold it as a member of the window, after the label exists.
class FiguraAnticipata : public QObject {
    Q_OBJECT

public:
    FiguraAnticipata(QLabel &etichetta, QImage originale);
    ~FiguraAnticipata() override;

    FiguraAnticipata(const FiguraAnticipata &) = delete;
    FiguraAnticipata &operator=(const FiguraAnticipata &) = delete;

    // The size, in device pixels, the label stretches its picture to now.
    static QSize MisuraInEtichetta(const QLabel &etichetta);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void Anticipa();
    void Consegna();
    void Ripristina();

    QLabel &etichetta_;
    const QImage originale_;
    QSize misura_; // of the scaling under way
    std::future<QImage> scalata_;
    bool consegnata_ = false; // the label holds a scaled copy, not the original
};

} // namespace lumivex
