// SPDX-License-Identifier: GPL-3.0-or-later
// The register's charts on the chart library, built as a module the program
// opens when the register window is first made (CaricaGrafici).
#include "windows/register/Grafici.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cstring>

namespace {

QWidget *Nuovo(QWidget *genitore, const QString &nome, const QString &titolo)
{
    auto *vista = new QChartView(genitore);
    vista->setObjectName(nome);
    vista->setRenderHint(QPainter::Antialiasing);
    vista->chart()->setTitle(titolo);
    vista->chart()->legend()->hide();
    vista->setMinimumSize(320, 220);
    return vista;
}

// The chart deletes its series, but hands removed axes back to the caller.
QChart &Svuotato(QWidget *vista)
{
    QChart &grafico = *static_cast<QChartView *>(vista)->chart();
    grafico.removeAllSeries();
    for (QAbstractAxis *asse : grafico.axes()) {
        grafico.removeAxis(asse);
        delete asse;
    }
    return grafico;
}

void Barre(QWidget *vista, const QString &serie, const QStringList &categorie, const QList<qreal> &valori,
           qreal massimo)
{
    QChart &grafico = Svuotato(vista);
    auto *insieme = new QBarSet(serie);
    insieme->append(valori);
    auto *barre = new QBarSeries;
    barre->append(insieme);
    barre->setLabelsVisible(true);
    grafico.addSeries(barre);
    auto *x = new QBarCategoryAxis;
    x->append(categorie);
    auto *y = new QValueAxis;
    y->setRange(0, massimo);
    y->setLabelFormat(QStringLiteral("%d"));
    grafico.addAxis(x, Qt::AlignBottom);
    grafico.addAxis(y, Qt::AlignLeft);
    barre->attachAxis(x);
    barre->attachAxis(y);
}

void Linea(QWidget *vista, const QString &serie, const QList<QPointF> &punti, qreal massimo)
{
    QChart &grafico = Svuotato(vista);
    auto *linea = new QLineSeries;
    linea->setName(serie);
    linea->append(punti);
    linea->setPointsVisible(true);
    grafico.addSeries(linea);
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd/MM/yy"));
    if (!punti.isEmpty()) {
        // A single exercise still needs a span to be drawn on.
        const qreal primo = punti.first().x();
        const qreal ultimo = std::max(punti.last().x(), primo + 86400000.0);
        x->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(primo)),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ultimo)));
    }
    auto *y = new QValueAxis;
    y->setRange(0, massimo);
    grafico.addAxis(x, Qt::AlignBottom);
    grafico.addAxis(y, Qt::AlignLeft);
    linea->attachAxis(x);
    linea->attachAxis(y);
}

constexpr lumivex::Grafici Questi{Nuovo, Barre, Linea};

} // namespace

extern "C" Q_DECL_EXPORT const lumivex::Grafici *lumivex_grafici(const char *versione)
{
    return versione != nullptr && std::strcmp(versione, LUMIVEX_VERSIONE) == 0 ? &Questi : nullptr;
}
