// SPDX-License-Identifier: GPL-3.0-or-later
// genera_registro FILE [ALUNNI ESERCIZI_PER_ANNO ANNI SEME]
// Writes a made-up class register, ten school years of thirty pupils unless
// told otherwise, and prints its size.
#include "GeneraRegistro.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication applicazione(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() != 2 && argomenti.size() != 6) {
        std::fputs("uso: genera_registro FILE [ALUNNI ESERCIZI_PER_ANNO ANNI SEME]\n", stderr);
        return 2;
    }
    lumivex::registro::ParametriGenerazione parametri;
    if (argomenti.size() == 6) {
        parametri.Alunni = argomenti[2].toInt();
        parametri.EserciziPerAnno = argomenti[3].toInt();
        parametri.Anni = argomenti[4].toInt();
        parametri.Seme = argomenti[5].toUInt();
    }
    QElapsedTimer tempo;
    tempo.start();
    const QString errore = lumivex::registro::GeneraRegistro(argomenti[1], parametri);
    if (!errore.isEmpty()) {
        std::fprintf(stderr, "%s\n", errore.toUtf8().constData());
        return 1;
    }
    std::printf("%d esercizi in %.1f s, %.1f MB\n", parametri.Alunni * parametri.EserciziPerAnno * parametri.Anni,
                double(tempo.elapsed()) / 1000.0, double(QFileInfo(argomenti[1]).size()) / 1e6);
    return 0;
}
