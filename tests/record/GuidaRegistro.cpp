// SPDX-License-Identifier: GPL-3.0-or-later
// Drills like a pupil, as fast as the register takes it, through the real
// exercise and the real writer:
//   guida_registro REGISTRO ESERCIZI SEME
// After each settled problem it waits for the writer, then prints
// "problemi N": N problems are committed. A fault is printed as "guasto ...".
#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "record/ScrittoreRegistro.h"

#include <QCoreApplication>

#include <cstdio>
#include <random>
#include <string>

using namespace lumivex;

namespace {

void Digita(Esercizio &e, int valore)
{
    for (char c : std::to_string(valore)) {
        e.EseguiTasto(c - '0');
    }
    e.EseguiTasto(SchermoOperativo::TastoVerifica);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication applicazione(argc, argv);
    if (argc != 4) {
        std::fputs("uso: guida_registro REGISTRO ESERCIZI SEME\n", stderr);
        return 2;
    }
    const int esercizi = std::stoi(argv[2]);
    const unsigned seme = static_cast<unsigned>(std::stoul(argv[3]));
    registro::ScrittoreRegistro scrittore(QString::fromLocal8Bit(argv[1]), QStringLiteral("guida"));
    QObject::connect(
        &scrittore, &registro::ScrittoreRegistro::Guasto, &scrittore,
        [](const QString &m) {
            std::printf("guasto %s\n", m.toUtf8().constData());
            std::fflush(stdout);
        },
        Qt::DirectConnection);
    scrittore.Avvia();

    Modulo2 m;
    m.SceltaLivello(static_cast<int>(seme % 3));
    m.Osservatore = &scrittore;
    SorgenteCasualeReale casuale(seme);
    OrologioDiSistema orologio;
    Esercizio e(m, casuale, orologio);
    std::mt19937 scelte(seme);
    e.Carica();
    e.FinestraMostrata();
    m.ImpostaNomeAlunno("ALUNNO " + std::to_string(seme));
    m.ConfermaNomeAlunno();

    long problemi = 0;
    for (int n = 0; n < esercizi; ++n) {
        if (n > 0) {
            e.NuovoEsercizio();
        }
        for (int p = 1; p <= Modulo2::OperazioniPerEsercizio; ++p) {
            switch (scelte() % 4) {
            case 0:
                Digita(e, m.Soluzione);
                break;
            case 1:
                Digita(e, m.Soluzione + 1);
                e.SiSi();
                break;
            case 2:
                Digita(e, m.Soluzione + 1);
                e.NoNo();
                Digita(e, m.Soluzione);
                break;
            default:
                for (int rifiuto = 0; rifiuto < 3; ++rifiuto) {
                    Digita(e, m.Soluzione + 1 + rifiuto);
                    e.NoNo();
                }
                e.SiSi();
                break;
            }
            scrittore.Svuota();
            std::printf("problemi %ld\n", ++problemi);
            std::fflush(stdout);
            if (p < Modulo2::OperazioniPerEsercizio) {
                e.EseguiTasto(SchermoOperativo::TastoAvanti);
            }
        }
    }
    scrittore.Svuota();
    return 0;
}
