// SPDX-License-Identifier: GPL-3.0-or-later
// What the class register costs the pupil and the disk:
// - a key press that settles a problem, from the press on "Verifica" until
//   the exercise window is painted (offscreen), with recording off and on;
// - one settled problem, from the exercise's call until its transaction is
//   committed, through the real writer, and as a bare commit under each
//   journal and sync setting worth weighing (p50 and p99 as counters);
// - writing a class's ten-year register, and its size.
// Registers are written in a folder on the disk of the build tree, as a
// home would be, never in the user's data.
#include "GeneraRegistro.h"

#include "exercise/Modulo2.h"
#include "exercise/Orologio.h"
#include "exercise/SorgenteCasuale.h"
#include "record/RegistroSqlite.h"
#include "record/ScrittoreRegistro.h"
#include "windows/exercise/FrmOperativo.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace lumivex;
using namespace lumivex::registro;
using Orologio = std::chrono::steady_clock;

QTemporaryDir &Cartella()
{
    static QTemporaryDir cartella(QDir::currentPath() + QStringLiteral("/registro-bench-XXXXXX"));
    return cartella;
}

void Percentili(benchmark::State &stato, std::vector<double> &millisecondi)
{
    if (millisecondi.empty()) {
        return;
    }
    std::sort(millisecondi.begin(), millisecondi.end());
    auto al = [&](double q) {
        return millisecondi[std::min(millisecondi.size() - 1, std::size_t(q * double(millisecondi.size())))];
    };
    stato.counters["p50_ms"] = al(0.50);
    stato.counters["p99_ms"] = al(0.99);
}

ProblemaConcluso UnProblemaTipico(int progressivo)
{
    ProblemaConcluso p;
    p.Progressivo = progressivo;
    p.Termini = {36, 18, 30, 12};
    p.Nascosto = 2;
    p.Soluzione = 18;
    p.Risposte = {{"43", false}, {"18", true}};
    p.Secondi = 7;
    return p;
}

void Premi(QPushButton *bottone)
{
    QMouseEvent premuto(QEvent::MouseButtonPress, QPointF(5, 5), bottone->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bottone, &premuto);
    QMouseEvent lasciato(QEvent::MouseButtonRelease, QPointF(5, 5), bottone->mapToGlobal(QPointF(5, 5)),
                         Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bottone, &lasciato);
}

// Argument 0: recording off (no observer); 1: the real writer on a register.
void BM_VerificaFinoAlloSchermo(benchmark::State &stato)
{
    const bool registra = stato.range(0) == 1;
    std::unique_ptr<ScrittoreRegistro> scrittore;
    Modulo2 m;
    if (registra) {
        const QString p = Cartella().filePath(QStringLiteral("tasti.sqlite"));
        QFile::remove(p);
        scrittore = std::make_unique<ScrittoreRegistro>(p, QStringLiteral("bench"));
        scrittore->Avvia();
        m.Osservatore = scrittore.get();
    }
    m.SceltaLivello(1);
    SorgenteCasualeReale casuale(7);
    OrologioDiSistema orologio;
    FrmOperativo finestra(m, casuale, orologio);
    finestra.showMaximized();
    QCoreApplication::processEvents();
    auto tasto = [&](int i) { return finestra.findChild<QPushButton *>(QStringLiteral("Option2_%1").arg(i)); };
    std::vector<double> tempi;
    for (auto _ : stato) {
        if (finestra.EsercizioInCorso().Concluso()) {
            Premi(finestra.findChild<QPushButton *>(QStringLiteral("optAvviso_1")));
        }
        for (const char c : std::to_string(m.Soluzione)) {
            Premi(tasto(c - '0'));
        }
        const auto inizio = Orologio::now();
        Premi(tasto(SchermoOperativo::TastoVerifica));
        finestra.repaint();
        const double ms = std::chrono::duration<double, std::milli>(Orologio::now() - inizio).count();
        stato.SetIterationTime(ms / 1000.0);
        tempi.push_back(ms);
        if (!finestra.EsercizioInCorso().Concluso()) {
            Premi(tasto(SchermoOperativo::TastoAvanti));
        }
        // The pupil reads the result before the next key: the writer has
        // its time, as it has at a pupil's pace.
        if (scrittore) {
            scrittore->Svuota();
        }
    }
    Percentili(stato, tempi);
}
BENCHMARK(BM_VerificaFinoAlloSchermo)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(400);

// One settled problem through the real writer: the exercise's call, the queue,
// the transaction committed.
void BM_ScrittoreUnProblema(benchmark::State &stato)
{
    const QString p = Cartella().filePath(QStringLiteral("scrittore.sqlite"));
    QFile::remove(p);
    ScrittoreRegistro scrittore(p, QStringLiteral("bench"));
    scrittore.Avvia();
    scrittore.EsercizioIniziato(10, 40);
    scrittore.Svuota();
    std::vector<double> tempi;
    int progressivo = 0;
    for (auto _ : stato) {
        if (progressivo == Modulo2::OperazioniPerEsercizio) {
            scrittore.EsercizioIniziato(10, 40);
            scrittore.Svuota();
            progressivo = 0;
        }
        const ProblemaConcluso problema = UnProblemaTipico(++progressivo);
        const auto inizio = Orologio::now();
        scrittore.ProblemaRisolto(problema);
        scrittore.Svuota();
        const double ms = std::chrono::duration<double, std::milli>(Orologio::now() - inizio).count();
        stato.SetIterationTime(ms / 1000.0);
        tempi.push_back(ms);
    }
    Percentili(stato, tempi);
}
BENCHMARK(BM_ScrittoreUnProblema)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(500);

// The settings weighed for the rollback journal (never WAL: NFS homes):
// 0 DELETE+FULL, 1 TRUNCATE+FULL, 2 PERSIST+FULL, 3 DELETE+NORMAL,
// 4 DELETE+EXTRA.
void BM_CommitDiUnProblema(benchmark::State &stato)
{
    static const char *const modi[][2] = {
        {"DELETE", "FULL"}, {"TRUNCATE", "FULL"}, {"PERSIST", "FULL"}, {"DELETE", "NORMAL"},
                                          {"DELETE", "EXTRA"}};
    const auto &modo = modi[stato.range(0)];
    stato.SetLabel(std::string(modo[0]) + "+" + modo[1]);
    const QString p = Cartella().filePath(QStringLiteral("commit-%1.sqlite").arg(stato.range(0)));
    QFile::remove(p);
    QFile::remove(p + QStringLiteral("-journal"));
    RegistroSqlite registro(p, QStringLiteral("commit"));
    QSqlDatabase db = registro.Database();
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode = %1").arg(QLatin1String(modo[0])));
    q.finish();
    q.exec(QStringLiteral("PRAGMA synchronous = %1").arg(QLatin1String(modo[1])));
    const QByteArray uid = QUuid::createUuid().toRfc4122();
    q.prepare(QStringLiteral("INSERT INTO esercizi (uid, inizio, minimo, massimo, macchina)"
                             " VALUES (?, '2026-12-08T09:00:00', 10, 40, 'bench')"));
    q.addBindValue(uid);
    q.exec();
    QSqlQuery inizia(db), conferma(db), inserisci(db);
    inizia.prepare(QStringLiteral("BEGIN IMMEDIATE"));
    conferma.prepare(QStringLiteral("COMMIT"));
    inserisci.prepare(QStringLiteral("INSERT INTO problemi (esercizio, progressivo, num1, num2, num3, num4, nascosto,"
                                     " soluzione, risposte, aiuto, intervento, secondi)"
                                     " VALUES (?, ?, 36, 18, 30, 12, 2, 18, '43-;18+', 0, 0, 7)"));
    std::vector<double> tempi;
    int progressivo = 0;
    for (auto _ : stato) {
        const auto inizio = Orologio::now();
        inizia.exec();
        inserisci.bindValue(0, uid);
        inserisci.bindValue(1, ++progressivo);
        if (!inserisci.exec() || !conferma.exec()) {
            stato.SkipWithError("the commit failed");
            break;
        }
        const double ms = std::chrono::duration<double, std::milli>(Orologio::now() - inizio).count();
        stato.SetIterationTime(ms / 1000.0);
        tempi.push_back(ms);
    }
    Percentili(stato, tempi);
}
BENCHMARK(BM_CommitDiUnProblema)->DenseRange(0, 4)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

// The disk's floor under any durable commit: one page written in place and
// flushed, as a rollback journal needs at least twice per commit.
void BM_PavimentoUnFlush(benchmark::State &stato)
{
    const QByteArray p = QFile::encodeName(Cartella().filePath(QStringLiteral("pavimento")));
    const int fd = ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    const std::vector<char> pagina(4096, 'x');
    std::vector<double> tempi;
    for (auto _ : stato) {
        const auto inizio = Orologio::now();
        if (::pwrite(fd, pagina.data(), pagina.size(), 0) != ssize_t(pagina.size()) || ::fdatasync(fd) != 0) {
            stato.SkipWithError("the write failed");
            break;
        }
        const double ms = std::chrono::duration<double, std::milli>(Orologio::now() - inizio).count();
        stato.SetIterationTime(ms / 1000.0);
        tempi.push_back(ms);
    }
    ::close(fd);
    Percentili(stato, tempi);
}
BENCHMARK(BM_PavimentoUnFlush)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(300);

// Ten school years of a class: 30 pupils x 200 exercises x 10 years.
void BM_RegistroDiDieciAnni(benchmark::State &stato)
{
    const QString p = Cartella().filePath(QStringLiteral("dieci-anni.sqlite"));
    for (auto _ : stato) {
        QFile::remove(p);
        const QString errore = GeneraRegistro(p, ParametriGenerazione{});
        if (!errore.isEmpty()) {
            stato.SkipWithError(errore.toStdString().c_str());
            break;
        }
    }
    stato.counters["MB"] = double(QFileInfo(p).size()) / 1e6;
}
BENCHMARK(BM_RegistroDiDieciAnni)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication applicazione(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
