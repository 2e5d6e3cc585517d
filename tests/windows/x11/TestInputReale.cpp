// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard and the mouse as a person uses them on an X server, where a
// held key repeats and a quick second click is a double click.
#include "support/finestre/FinestreProva.h"

#include "windows/name/frmNome.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QTimer>

using namespace lumivex;
using namespace lumivex::prove;

namespace {

// Ends the wait for an xdotool run when the release of the key that closes
// every run arrives: every event the run made before it has been handled.
class Traguardo : public QObject {
public:
    QEventLoop *ciclo = nullptr;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (ciclo != nullptr && evento->type() == QEvent::KeyRelease && oggetto->isWindowType()
            && static_cast<QKeyEvent *>(evento)->key() == Qt::Key_F12)
            ciclo->quit();
        return false;
    }
};

} // namespace

class TestInputReale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void tastierinoConTastiTenutiEDoppioClic();
    void nomeConLetteraTenuta();

private:
    // xdotool with these commands, then F12. A real event loop runs
    // meanwhile, asleep until X has something: Qt must read each event as it
    // comes, as it does for a person. Polling now and then would find every
    // repeat's press already queued and let Qt flag them all.
    [[nodiscard]] bool X(const QString &comandi);
    [[nodiscard]] static bool Attiva(QWidget &finestra);

    Traguardo traguardo_;
};

void TestInputReale::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == u"xcb"_s, "serve un server X (xvfb-run)");
    qApp->installEventFilter(&traguardo_);
}

bool TestInputReale::X(const QString &comandi)
{
    QEventLoop ciclo;
    QTimer limite;
    limite.setSingleShot(true);
    connect(&limite, &QTimer::timeout, &ciclo, &QEventLoop::quit);
    QProcess xdotool;
    xdotool.start(u"xdotool"_s, comandi.split(u' ') + QStringList{u"key"_s, u"F12"_s});
    if (!xdotool.waitForStarted(5000)) {
        qWarning("xdotool non parte");
        return false;
    }
    traguardo_.ciclo = &ciclo;
    limite.start(20000);
    ciclo.exec();
    traguardo_.ciclo = nullptr;
    const bool arrivati = limite.isActive();
    if (!arrivati)
        qWarning("gli eventi di xdotool %s non arrivano", qPrintable(comandi));
    // waitForFinished() fails on a process that has already ended.
    const bool finito = xdotool.state() == QProcess::NotRunning || xdotool.waitForFinished(5000);
    return arrivati && finito && xdotool.exitStatus() == QProcess::NormalExit && xdotool.exitCode() == 0;
}

// With no window manager nothing else gives a window the keyboard.
bool TestInputReale::Attiva(QWidget &finestra)
{
    if (!QTest::qWaitForWindowExposed(&finestra))
        return false;
    finestra.activateWindow();
    return QTest::qWaitForWindowActive(&finestra);
}

void TestInputReale::tastierinoConTastiTenutiEDoppioClic()
{
    Programma p;
    FrmOperativo &w = p.registro.Mostra<FrmOperativo>();
    QVERIFY(Attiva(w));
    const auto risposta = [&w] { return Testo(w, u"lblNumero2"_s); };

    // Fault: a held digit typed again by repeats Qt does not flag.
    QVERIFY(X(u"keydown 7 sleep 1.5 keyup 7"_s));
    QCOMPARE(risposta(), u"7"_s);
    // Fault: a quick real second press taken for a repeat.
    QVERIFY(X(u"key BackSpace 2 2"_s));
    QCOMPARE(risposta(), u"22"_s);

    // Fault: the second of two clicks a quarter of a second apart, which
    // comes as a double click, lost.
    QVERIFY(X(u"key BackSpace BackSpace"_s));
    const QPushButton *cinque = Tasto(w, 5);
    const QPoint centro = cinque->mapToGlobal(cinque->rect().center());
    QVERIFY(X(u"mousemove --sync %1 %2 click --repeat 2 --delay 250 1"_s.arg(centro.x()).arg(centro.y())));
    QCOMPARE(risposta(), u"55"_s);

    // Fault: Enter held on "Verifica" verifying, then its repeats running
    // "Avanti", which took the focus, and typing into the next problem.
    QVERIFY(X(u"key BackSpace BackSpace 1 8"_s));
    QCOMPARE(ConFuoco(w), u"Option2_11"_s);
    QVERIFY(X(u"keydown Return sleep 1.5 keyup Return"_s));
    QCOMPARE(Testo(w, u"lblRisEsatte"_s), u"1"_s);
    QCOMPARE(Testo(w, u"LblOperazione"_s), u"1"_s);
    QCOMPARE(ConFuoco(w), u"Option2_12"_s);
}

void TestInputReale::nomeConLetteraTenuta()
{
    // Faults: a held letter giving "MMMM"; the next real letter swallowed.
    Modulo2 modulo;
    RegistroFinestre registro{[] {}};
    registro.Registra<frmNome>([&] { return std::make_unique<frmNome>(modulo, registro); });
    frmNome &finestra = registro.Mostra<frmNome>();
    QVERIFY(Attiva(finestra));
    QVERIFY(X(u"keydown m sleep 1.5 keyup m key a"_s));
    QCOMPARE(Testo(finestra, u"lblNome"_s), u"MA"_s);
}

QTEST_MAIN(TestInputReale)
#include "TestInputReale.moc"
