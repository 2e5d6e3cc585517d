// SPDX-License-Identifier: GPL-3.0-or-later
// The register's charts come from a module opened when the register window
// is made: found where it is, refused when it is not one, and the window
// still whole without it.
#include "printing/StampanteQt.h"
#include "windows/register/FrmRegistro.h"
#include "windows/register/Grafici.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using namespace lumivex;

class TestCaricaGrafici : public QObject {
    Q_OBJECT

private slots:
    // Catches: the module missed when it is in a later folder than the
    // first one tried, or its entry not the charts the window draws with.
    void ilModuloDisegnaIGrafici()
    {
        QTemporaryDir vuota;
        QString errore;
        const Grafici *grafici = CaricaGrafici({vuota.path(), QStringLiteral(LUMIVEX_CARTELLA_GRAFICI)}, &errore);
        QVERIFY2(grafici != nullptr, qPrintable(errore));
        QWidget genitore;
        auto *vista = qobject_cast<QChartView *>(grafici->Nuovo(&genitore, QStringLiteral("g"), QStringLiteral("T")));
        QVERIFY(vista != nullptr);
        QCOMPARE(vista->objectName(), QStringLiteral("g"));
        QCOMPARE(vista->chart()->title(), QStringLiteral("T"));
        grafici->Barre(vista, QStringLiteral("s"), {QStringLiteral("a"), QStringLiteral("b")}, {1, 2}, 3);
        grafici->Barre(vista, QStringLiteral("s"), {QStringLiteral("a")}, {4}, 5);
        QCOMPARE(vista->chart()->series().size(), 1);
        QCOMPARE(vista->chart()->axes().size(), 2);
        QCOMPARE(qobject_cast<QBarSeries *>(vista->chart()->series().first())->barSets().first()->at(0), 4.0);
        grafici->Linea(vista, QStringLiteral("l"), {{0, 1}}, 2);
        QCOMPARE(vista->chart()->series().size(), 1);
        QCOMPARE(qobject_cast<QLineSeries *>(vista->chart()->series().first())->points(), (QList<QPointF>{{0, 1}}));
    }

    // Catches: a folder without the module, or a file of that name that is
    // not one (a damaged installation), taken for charts or crashing the
    // window's making; the reason lost.
    void senzaModuloSiDiceePerche()
    {
        QTemporaryDir vuota;
        QString errore;
        QVERIFY(CaricaGrafici({vuota.path()}, &errore) == nullptr);
        QVERIFY2(errore.contains(vuota.path()) && errore.contains(QLatin1String(NomeModuloGrafici)),
                 qPrintable(errore));

        QTemporaryDir guasta;
        QFile finto(guasta.filePath(QLatin1String(NomeModuloGrafici)));
        QVERIFY(finto.open(QIODevice::WriteOnly));
        finto.write("non una libreria");
        finto.close();
        errore.clear();
        QVERIFY(CaricaGrafici({guasta.path()}, &errore) == nullptr);
        QVERIFY(!errore.isEmpty());
    }

    // Catches: the register window needing its charts to be made, or its
    // lists failing when they are missing; nothing said about them.
    void laFinestraSenzaGrafici()
    {
        QTemporaryDir cartella;
        StampanteQt stampante([](const QString &) { return std::optional<QString>(); });
        FrmRegistro finestra(stampante, cartella.filePath(QStringLiteral("registro.sqlite")),
                             [] { return QDateTime::currentDateTime(); }, nullptr, nullptr,
                             QStringLiteral("manca il modulo"));
        const auto *avviso = finestra.findChild<QLabel *>(QStringLiteral("lblSenzaGrafici"));
        QVERIFY(avviso != nullptr);
        QCOMPARE(avviso->text(), QStringLiteral("I grafici non sono disponibili: manca il modulo."));
        QVERIFY(finestra.findChild<QChartView *>() == nullptr);
        finestra.ScegliAlunno(QStringLiteral("anna"));
    }
};

QTEST_MAIN(TestCaricaGrafici)
#include "TestCaricaGrafici.moc"
