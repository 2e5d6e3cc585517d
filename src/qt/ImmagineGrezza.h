// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QResource>
#include <QString>
#include <QtEndian>

#include <cstring>

namespace lumivex {

// The program's pictures are built in already decoded (lumivex_immagini_grezze
// in CMake): width and height as two little-endian 32-bit numbers, then the
// rows in the format a pixmap with alpha keeps in memory. Decoding the PNGs
// was most of what the start window cost above a bare window.
inline constexpr QImage::Format FormatoGrezzo = QImage::Format_ARGB32_Premultiplied;

// The picture stored at risorsa, sharing the program's own copy; a null image
// when there is none or it is not of this form.
inline QImage ImmagineGrezza(const QString &risorsa)
{
    const QResource voce(risorsa);
    if (!voce.isValid() || voce.compressionAlgorithm() != QResource::NoCompression || voce.size() < 8)
        return {};
    const uchar *dati = voce.data();
    quint32 lati[2];
    std::memcpy(lati, dati, sizeof lati);
    const qint64 larghezza = qFromLittleEndian(lati[0]);
    const qint64 altezza = qFromLittleEndian(lati[1]);
    if (larghezza <= 0 || altezza <= 0 || larghezza > 4096 || altezza > 4096
        || voce.size() != 8 + larghezza * altezza * 4)
        return {};
    // The resource lives as long as the program: no copy is needed.
    return QImage(dati + 8, int(larghezza), int(altezza), int(larghezza * 4), FormatoGrezzo);
}

} // namespace lumivex
