// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: turns a picture into the form ImmagineGrezza reads, so that the
// program never decodes it at start.
#include "qt/ImmagineGrezza.h"

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: %s IMMAGINE.png USCITA\n", argv[0]);
        return 2;
    }
    const QImage immagine = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(lumivex::FormatoGrezzo);
    if (immagine.isNull()) {
        std::fprintf(stderr, "%s: immagine illeggibile\n", argv[1]);
        return 1;
    }
    QFile uscita(QString::fromLocal8Bit(argv[2]));
    if (!uscita.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: non si scrive\n", argv[2]);
        return 1;
    }
    const quint32 intestazione[2] = {qToLittleEndian(quint32(immagine.width())),
                                     qToLittleEndian(quint32(immagine.height()))};
    bool scritto = uscita.write(reinterpret_cast<const char *>(intestazione), sizeof intestazione) == sizeof intestazione;
    // Row by row: the file holds no padding, whatever the image's stride.
    const qsizetype riga = qsizetype(immagine.width()) * 4;
    for (int y = 0; scritto && y < immagine.height(); ++y)
        scritto = uscita.write(reinterpret_cast<const char *>(immagine.constScanLine(y)), riga) == riga;
    if (!scritto || !uscita.flush()) {
        std::fprintf(stderr, "%s: scrittura fallita\n", argv[2]);
        return 1;
    }
    return 0;
}
