// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/ScrittoreRegistro.h"

#include "exercise/Esercizio.h"
#include "exercise/Modulo2.h"
#include "record/SupportoRegistro.h"
#include "support/Finti.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

#include <sys/mount.h>

using namespace lumivex;
using namespace lumivex::registro;
using prove::ImprontaFile;
using prove::LeggiRegistro;

namespace {

constexpr int Verifica = SchermoOperativo::TastoVerifica;
constexpr int Avanti = SchermoOperativo::TastoAvanti;

// One run of the program: the shared state, the exercise and the writer.
struct Seduta {
    explicit Seduta(const QString &percorso, bool avvia = true)
        : scrittore(percorso, QStringLiteral("aula-3"))
    {
        QObject::connect(
            &scrittore, &ScrittoreRegistro::Guasto, &scrittore,
            [this](const QString &m) {
                const std::lock_guard<std::mutex> b(mutex);
                messaggi << m;
            },
            Qt::DirectConnection);
        if (avvia)
            scrittore.Avvia();
        m.Osservatore = &scrittore;
        m.NumeroMin = 10;
        m.NumeroMax = 40;
        ProssimoProblema();
        e.Carica();
        e.FinestraMostrata();
    }
    // 36 - 18 = 30 - 12 with 18 hidden.
    void ProssimoProblema() { casuale.Problema(10, 40, {36, 18, 30, 12}, 2); }
    void Rispondi(const std::string &cifre)
    {
        for (char c : cifre)
            e.EseguiTasto(c - '0');
        e.EseguiTasto(Verifica);
    }
    void Avanza()
    {
        ProssimoProblema();
        e.EseguiTasto(Avanti);
    }
    // The pattern of four by keypad: wrong then help, wrong-refused-right,
    // three refusals and the program's solution, right at once.
    void Problema(int n)
    {
        orologio.Avanza(n);
        switch (n % 4) {
        case 1:
            Rispondi("43");
            e.SiSi();
            break;
        case 2:
            Rispondi("43");
            e.NoNo();
            Rispondi("18");
            break;
        case 3:
            for (const char *sbagliata : {"1", "2", "3"}) {
                Rispondi(sbagliata);
                e.NoNo();
            }
            e.SiSi();
            break;
        default:
            Rispondi("18");
            break;
        }
    }
    void EsercizioIntero()
    {
        for (int n = 1; n <= 20; ++n) {
            Problema(n);
            if (n < 20)
                Avanza();
        }
    }
    QStringList Messaggi()
    {
        scrittore.Svuota();
        const std::lock_guard<std::mutex> b(mutex);
        return messaggi;
    }

    ScrittoreRegistro scrittore;
    Modulo2 m;
    prove::SorgenteFinta casuale;
    prove::OrologioFinto orologio;
    Esercizio e{m, casuale, orologio};
    std::mutex mutex;
    QStringList messaggi;
};

int Conta(const QString &p, const char *tabella)
{
    return LeggiRegistro(p, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(tabella))).toInt();
}

class Scrittore : public ::testing::Test {
protected:
    QTemporaryDir base;
    QString p = base.path() + QStringLiteral("/Lumivex/registro.sqlite");
};

// Catches: a problem row missing, doubled or with the answers, marks, help,
// intervention, terms or seconds wrong; the end or the name not written, the
// name not following the pupil to the next exercise of the run, or leaking
// into the next run.
TEST_F(Scrittore, UnEsercizioATastiDiventaLeRigheAttese)
{
    {
        Seduta s(p);
        s.EsercizioIntero();
        s.m.ImpostaNomeAlunno("  Anna   MARIA ");
        s.m.ConfermaNomeAlunno();
        s.ProssimoProblema();
        s.e.NuovoEsercizio();
        s.Problema(4);
        EXPECT_EQ(s.Messaggi(), QStringList());
        EXPECT_EQ(s.scrittore.Scritte(), 1u + 20u + 1u + 1u + 1u + 1u + 1u);
    }
    EXPECT_EQ(Conta(p, "esercizi"), 2);
    EXPECT_EQ(Conta(p, "problemi"), 21);
    EXPECT_EQ(Conta(p, "esiti"), 1);
    EXPECT_EQ(LeggiRegistro(p, QStringLiteral("SELECT count(DISTINCT esercizio) FROM nomi WHERE nome = 'Anna   MARIA'"
                                              " AND chiave = 'anna maria'"))
                  .toInt(),
              2);
    const QString primo = QStringLiteral("(SELECT uid FROM esercizi ORDER BY rowid LIMIT 1)");
    EXPECT_EQ(LeggiRegistro(p, QStringLiteral("SELECT group_concat(minimo || ' ' || massimo || ' ' || macchina || ' '"
                                              " || length(uid), '|') FROM esercizi"))
                  .toString(),
              QStringLiteral("10 40 aula-3 16|10 40 aula-3 16"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"))
                    .match(LeggiRegistro(p, QStringLiteral("SELECT inizio FROM esercizi")).toString())
                    .hasMatch());
    const QString righe =
        LeggiRegistro(p, QStringLiteral("SELECT group_concat(r, '|') FROM (SELECT progressivo || ':' || num1 || ','"
                                        " || num2 || ',' || num3 || ',' || num4 || ' ' || nascosto || ' ' || soluzione"
                                        " || ' ' || risposte || ' ' || aiuto || intervento || ' ' || secondi AS r"
                                        " FROM problemi WHERE esercizio = %1 AND progressivo <= 5 ORDER BY"
                                        " progressivo)")
                                 .arg(primo))
            .toString();
    EXPECT_EQ(righe, QStringLiteral("1:36,18,30,12 2 18 43- 10 1|"
                                    "2:36,18,30,12 2 18 43-;18+ 00 2|"
                                    "3:36,18,30,12 2 18 1-;2-;3- 01 3|"
                                    "4:36,18,30,12 2 18 18+ 00 4|"
                                    "5:36,18,30,12 2 18 43- 10 5"));
    EXPECT_EQ(LeggiRegistro(p, QStringLiteral("SELECT esatte || ' ' || errate || ' ' || voto || ' ' || (fine >= inizio)"
                                              " FROM esiti JOIN esercizi ON uid = esercizio"))
                  .toString(),
              QStringLiteral("10 25 SUFFICIENTE (!) 1"));

    // Another run: another exercise, and no name until one is typed in it.
    {
        Seduta s(p);
        s.Problema(4);
        EXPECT_EQ(s.Messaggi(), QStringList());
    }
    EXPECT_EQ(Conta(p, "esercizi"), 3);
    EXPECT_EQ(Conta(p, "nomi"), 2);
    EXPECT_EQ(LeggiRegistro(p, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

// Catches: rows written while the teacher has switched recording off, or a
// problem row orphaned when it is switched on in the middle of an exercise.
TEST_F(Scrittore, RegistrazioneSpenta)
{
    {
        RegistroSqlite r(p, QStringLiteral("maestra"));
        ASSERT_TRUE(
            QSqlQuery(r.Database()).exec(QStringLiteral("INSERT INTO impostazioni VALUES ('registrazione', '0')")));
    }
    Seduta s(p);
    s.Problema(4);
    s.Messaggi();
    {
        RegistroSqlite r(p, QStringLiteral("di nuovo"));
        ASSERT_TRUE(QSqlQuery(r.Database()).exec(QStringLiteral("UPDATE impostazioni SET valore = '1'")));
    }
    s.Avanza();
    s.Problema(4);
    s.m.ImpostaNomeAlunno("LIA");
    s.m.ConfermaNomeAlunno();
    EXPECT_EQ(s.Messaggi(), QStringList());
    EXPECT_EQ(s.scrittore.Scritte(), 0u);
    EXPECT_EQ(Conta(p, "esercizi") + Conta(p, "problemi") + Conta(p, "nomi"), 0);
}

// A file system of our own, so a test can fill it or make it read-only; only
// root may mount one here.
struct Montaggio {
    explicit Montaggio(const QString &cartella)
        : punto(QFile::encodeName(cartella))
    {
        montato = ::mount("tmpfs", punto.constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~Montaggio()
    {
        if (montato)
            ::umount2(punto.constData(), MNT_DETACH);
    }
    bool SolaLettura() { return ::mount("tmpfs", punto.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0; }
    QByteArray punto;
    bool montato = false;
};

// Catches: a bad register overwritten, rebuilt or deleted; the fault told
// more than once, or not at all; the drill stopped by it.
TEST_F(Scrittore, FileGuastiIntattiUnSoloMessaggioEsercizioContinua)
{
    const QString modello = base.path() + QStringLiteral("/modello.sqlite");
    {
        RegistroSqlite r(modello, QStringLiteral("modello"));
        ASSERT_TRUE(r.Aperto());
    }
    QFile f(modello);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray vero = f.readAll();
    f.close();
    QByteArray nuovo = vero;
    nuovo[63] = char(VersioneSchema + 1);
    QByteArray rotto = vero;
    rotto.replace(4096, 4096, QByteArray(4096, '\x33'));

    const QString cartella = base.path() + QStringLiteral("/Lumivex");
    QDir().mkpath(cartella);
    const struct {
        const char *nome;
        QByteArray contenuto;
        StatoRegistro atteso;
    } casi[] = {
        {"non nostro", QByteArray("nome;cognome\nAnna;Rossi\n"), StatoRegistro::NonNostro},
        {"piu recente", nuovo, StatoRegistro::VersionePiuRecente},
        {"danneggiato", rotto, StatoRegistro::Danneggiato},
    };
    for (const auto &c : casi) {
        SCOPED_TRACE(c.nome);
        QFile::remove(p);
        QFile g(p);
        ASSERT_TRUE(g.open(QIODevice::WriteOnly));
        g.write(c.contenuto);
        g.close();
        const QByteArray prima = ImprontaFile(p);
        {
            Seduta s(p);
            s.EsercizioIntero();
            EXPECT_TRUE(s.e.Concluso());
            EXPECT_EQ(s.Messaggi(), QStringList{MessaggioRegistro(c.atteso, p)});
            EXPECT_EQ(s.scrittore.Scritte(), 0u);
        }
        EXPECT_EQ(ImprontaFile(p), prima);
        EXPECT_EQ(QDir(cartella).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("registro.sqlite")});
    }
}

// Catches: rows told before the writer is started (the program opens the
// register only after its first frame) lost, whether it is started later or
// the program ends first.
TEST_F(Scrittore, LeRigheDettePrimaDellAvvioAttendono)
{
    {
        Seduta s(p, false);
        s.EsercizioIntero();
        EXPECT_FALSE(QFileInfo::exists(p));
        s.scrittore.Avvia();
        EXPECT_EQ(s.Messaggi(), QStringList());
        EXPECT_EQ(Conta(p, "problemi"), 20);
    }
    {
        Seduta s(p, false);
        s.EsercizioIntero();
    }
    EXPECT_EQ(Conta(p, "esercizi"), 2);
    EXPECT_EQ(Conta(p, "problemi"), 40);
}

// Catches: a fault found on opening told before anyone listens (the program
// connects its message after making the writer), so the user never hears it.
TEST_F(Scrittore, IlGuastoDellAperturaAspettaChiAscolta)
{
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile g(p);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("non un registro");
    g.close();
    ScrittoreRegistro scrittore(p, QStringLiteral("aula-3"));
    QThread::msleep(200);
    QStringList messaggi;
    QObject::connect(
        &scrittore, &ScrittoreRegistro::Guasto, &scrittore, [&](const QString &m) { messaggi << m; },
        Qt::DirectConnection);
    scrittore.Avvia();
    scrittore.Svuota();
    EXPECT_EQ(messaggi, QStringList{MessaggioRegistro(StatoRegistro::NonNostro, p)});
}

// Catches: a register deleted while the program runs written on unseen, or
// made again behind the teacher's back.
TEST_F(Scrittore, RegistroCancellatoDuranteLEsercizio)
{
    Seduta s(p);
    s.Problema(4);
    s.Messaggi();
    ASSERT_TRUE(QFile::remove(p));
    s.Avanza();
    s.Problema(4);
    s.Avanza();
    s.Problema(4);
    EXPECT_EQ(s.Messaggi(), QStringList{MessaggioRegistro(StatoRegistro::Scomparso, p)});
    EXPECT_FALSE(QFileInfo::exists(p));
    EXPECT_EQ(s.scrittore.Scritte(), 2u);
}

// Catches: a full disk or a read-only register reported as recorded, told
// more than once, or leaving the file changed.
TEST_F(Scrittore, DiscoPienoESolaLettura)
{
    for (const bool pieno : {true, false}) {
        SCOPED_TRACE(pieno ? "pieno" : "sola lettura");
        const QString cartella = base.path() + (pieno ? QStringLiteral("/pieno") : QStringLiteral("/lettura"));
        QDir().mkpath(cartella);
        Montaggio montaggio(cartella);
        if (!montaggio.montato)
            GTEST_SKIP() << "a full or read-only disk needs a small tmpfs, which only root may mount here";
        const QString q = cartella + QStringLiteral("/registro.sqlite");
        {
            RegistroSqlite r(q, QStringLiteral("preparazione"));
            ASSERT_TRUE(r.Aperto());
        }
        if (pieno) {
            QFile riempimento(cartella + QStringLiteral("/riempimento"));
            ASSERT_TRUE(riempimento.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray blocco(512, 'x');
            while (riempimento.write(blocco) == blocco.size()) {
            }
        } else {
            ASSERT_TRUE(montaggio.SolaLettura());
        }
        const QByteArray prima = ImprontaFile(q);
        {
            Seduta s(q);
            s.EsercizioIntero();
            EXPECT_TRUE(s.e.Concluso());
            EXPECT_EQ(s.Messaggi(), QStringList{MessaggioRegistro(
                                        pieno ? StatoRegistro::DiscoPieno : StatoRegistro::SolaLettura, q)});
        }
        EXPECT_EQ(ImprontaFile(q), prima);
    }
}

} // namespace
