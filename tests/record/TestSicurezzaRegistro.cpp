// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/SupportoRegistro.h"

#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace lumivex;
using namespace lumivex::registro;
using prove::LeggiRegistro;

namespace {

// The driver in a home of its own, so nothing of the user's is touched.
void Avvia(QProcess &guida, const QTemporaryDir &casa, const QString &registro, int esercizi, int seme)
{
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("HOME"), casa.path());
    ambiente.insert(QStringLiteral("XDG_DATA_HOME"), casa.path() + QStringLiteral("/dati"));
    guida.setProcessEnvironment(ambiente);
    guida.start(QStringLiteral(LUMIVEX_GUIDA),
                {registro, QString::number(esercizi), QString::number(seme)});
    ASSERT_TRUE(guida.waitForStarted());
}

// The last "problemi N" the driver printed: N problems committed.
long Impegnati(const QByteArray &uscita, QByteArray *guasti)
{
    long n = 0;
    for (const QByteArray &riga : uscita.split('\n')) {
        if (riga.startsWith("problemi "))
            n = riga.mid(9).toLong();
        else if (riga.startsWith("guasto"))
            *guasti += riga + '\n';
    }
    return n;
}

int Intero(const QString &registro, const char *sql)
{
    return LeggiRegistro(registro, QString::fromLatin1(sql)).toInt();
}

// Catches: a register left damaged or unopenable by a crash; a committed
// problem lost; more than the problem on screen lost; a half-written
// exercise (a gap in its problems, an end without its twenty).
TEST(SicurezzaRegistro, UnArrestoBruscoPerdeAlPiuIlProblemaInCorso)
{
    QTemporaryDir casa;
    const QString registro = casa.path() + QStringLiteral("/registro.sqlite");
    std::mt19937 caso(20261208);
    int arresti = 0;
    int iniziati = 0;
    // However fast the disk, at least forty kills fall within the 200.
    while (iniziati < 200 || arresti < 40) {
        SCOPED_TRACE(arresti);
        const int prima = Intero(registro, "SELECT count(*) FROM problemi");
        QProcess guida;
        Avvia(guida, casa, registro, std::max(1, 200 - iniziati), arresti);
        // Anywhere: opening, within a problem, between exercises.
        QThread::msleep(std::uniform_int_distribution<unsigned>(5, 250)(caso));
        guida.kill();
        ASSERT_TRUE(guida.waitForFinished(10000));
        ++arresti;
        QByteArray guasti;
        const long impegnati = Impegnati(guida.readAllStandardOutput(), &guasti);
        EXPECT_EQ(guasti, QByteArray());

        const RegistroSqlite r(registro, QStringLiteral("dopo-arresto"), true);
        ASSERT_TRUE(r.Aperto()) << r.Dettaglio().toStdString();
        EXPECT_EQ(LeggiRegistro(registro, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        const int dopo = Intero(registro, "SELECT count(*) FROM problemi");
        EXPECT_GE(dopo - prima, impegnati);
        EXPECT_LE(dopo - prima, impegnati + 1);
        EXPECT_EQ(Intero(registro, "SELECT count(*) FROM (SELECT max(progressivo) AS m, count(*) AS c FROM problemi"
                                   " GROUP BY esercizio) WHERE m <> c"),
                  0);
        EXPECT_EQ(Intero(registro, "SELECT count(*) FROM esiti WHERE (SELECT count(*) FROM problemi"
                                   " WHERE problemi.esercizio = esiti.esercizio) <> 20"),
                  0);
        EXPECT_EQ(Intero(registro, "SELECT count(*) FROM problemi WHERE esercizio NOT IN (SELECT uid FROM esercizi)"),
                  0);
        iniziati = Intero(registro, "SELECT count(*) FROM esercizi");
        if (HasFailure())
            break;
    }
    RecordProperty("arresti", arresti);
}

// Catches: two copies of the program on one account losing rows to each
// other (a busy register given up, a lock taken in the wrong order), or both
// building a new register at once.
TEST(SicurezzaRegistro, DueCopieScrivonoInsieme)
{
    QTemporaryDir casa;
    const QString registro = casa.path() + QStringLiteral("/Lumivex/registro.sqlite");
    QProcess prima, seconda;
    Avvia(prima, casa, registro, 4, 1);
    Avvia(seconda, casa, registro, 4, 2);
    for (QProcess *guida : {&prima, &seconda}) {
        ASSERT_TRUE(guida->waitForFinished(240000));
        EXPECT_EQ(guida->exitCode(), 0);
        QByteArray guasti;
        EXPECT_EQ(Impegnati(guida->readAllStandardOutput(), &guasti), 80);
        EXPECT_EQ(guasti, QByteArray());
    }
    EXPECT_EQ(Intero(registro, "SELECT count(*) FROM esercizi"), 8);
    EXPECT_EQ(Intero(registro, "SELECT count(*) FROM problemi"), 160);
    EXPECT_EQ(Intero(registro, "SELECT count(*) FROM esiti"), 8);
    EXPECT_EQ(Intero(registro, "SELECT count(DISTINCT chiave) FROM nomi"), 2);
    EXPECT_EQ(Intero(registro, "SELECT count(*) FROM nomi"), 8);
}

} // namespace
