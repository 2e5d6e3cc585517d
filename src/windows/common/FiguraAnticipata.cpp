// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/FiguraAnticipata.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>

#include <system_error>
#include <utility>

namespace lumivex {

namespace {

// A pixmap keeps an opaque picture without its alpha channel, and finds out
// by reading every pixel: that reading and the conversion are done here, on
// the scaling's thread, with the same outcome.
QImage PerLoSchermo(QImage figura)
{
    if (figura.format() != QImage::Format_ARGB32_Premultiplied)
        return figura;
    for (int y = 0; y < figura.height(); ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(figura.constScanLine(y));
        for (int x = 0; x < figura.width(); ++x) {
            if (qAlpha(riga[x]) != 255)
                return figura;
        }
    }
    return figura.convertToFormat(QImage::Format_RGB32);
}

} // namespace

FiguraAnticipata::FiguraAnticipata(QLabel &etichetta, QImage originale)
    : etichetta_(etichetta)
    , originale_(std::move(originale))
{
    // As it is: finding out whether it is opaque would read every pixel and
    // copy it, for a picture the label is handed scaled before it paints.
    etichetta_.setPixmap(QPixmap::fromImage(originale_, Qt::NoOpaqueDetection));
    etichetta_.installEventFilter(this);
}

FiguraAnticipata::~FiguraAnticipata()
{
    etichetta_.removeEventFilter(this);
    if (scalata_.valid())
        scalata_.wait();
}

QSize FiguraAnticipata::MisuraInEtichetta(const QLabel &etichetta)
{
    // The label's own reckoning: its contents less its margin, in device pixels.
    const int margine = etichetta.margin();
    const QRect area = etichetta.contentsRect().adjusted(margine, margine, -margine, -margine);
    return area.size() * etichetta.devicePixelRatio();
}

void FiguraAnticipata::Anticipa()
{
    const QSize misura = MisuraInEtichetta(etichetta_);
    if (originale_.isNull() || misura.isEmpty() || (scalata_.valid() && misura == misura_))
        return;
    if (scalata_.valid())
        scalata_.wait();
    misura_ = misura;
    try {
        scalata_ = std::async(std::launch::async, [originale = originale_, misura] {
            return PerLoSchermo(originale.scaled(misura, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        });
    } catch (const std::system_error &) {
        // No thread to spare: the label scales the picture itself, as ever.
        scalata_ = {};
        Ripristina();
    }
}

void FiguraAnticipata::Ripristina()
{
    // The label scales what it holds: that must be the original, never an
    // earlier size of it.
    if (consegnata_) {
        consegnata_ = false;
        etichetta_.setPixmap(QPixmap::fromImage(originale_, Qt::NoOpaqueDetection));
    }
}

void FiguraAnticipata::Consegna()
{
    if (!scalata_.valid())
        return;
    QImage scalata = scalata_.get();
    // A label that changed size or screen since gets nothing: it scales the
    // original itself.
    if (misura_ != MisuraInEtichetta(etichetta_)) {
        Ripristina();
        return;
    }
    QPixmap figura = QPixmap::fromImage(std::move(scalata));
    figura.setDevicePixelRatio(etichetta_.devicePixelRatio());
    etichetta_.setPixmap(figura);
    consegnata_ = true;
}

bool FiguraAnticipata::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == &etichetta_) {
        if (evento->type() == QEvent::Resize)
            Anticipa();
        else if (evento->type() == QEvent::Paint)
            Consegna();
    }
    return false;
}

} // namespace lumivex
