// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

class QWidget;

namespace lumivex {

// The register's charts. They are drawn with the chart library in a module
// of their own, opened by CaricaGrafici: that library, and the graphics
// stack it brings with it, are loaded when a teacher opens the register,
// never at a pupil's start.
struct Grafici {
    // An empty chart, named and titled, in genitore.
    QWidget *(*Nuovo)(QWidget *genitore, const QString &nome, const QString &titolo);
    // One bar per category, from 0 to massimo; what the chart showed goes.
    void (*Barre)(QWidget *grafico, const QString &serie, const QStringList &categorie, const QList<qreal> &valori,
                  qreal massimo);
    // A line over dates (x in milliseconds since the epoch), from 0 to massimo.
    void (*Linea)(QWidget *grafico, const QString &serie, const QList<QPointF> &punti, qreal massimo);
};

// The module's one entry: its charts, or null when `versione` is not the
// version it was built for.
using IngressoGrafici = const Grafici *(*)(const char *versione);
inline constexpr char NomeIngressoGrafici[] = "lumivex_grafici";
// The module's file name on this platform, as the build names it.
inline constexpr char NomeModuloGrafici[] = LUMIVEX_MODULO_GRAFICI;

// Opens the module in the first of `cartelle` that holds it; null, with
// `errore` saying why, when none holds a module of this very version.
const Grafici *CaricaGrafici(const QStringList &cartelle, QString *errore = nullptr);

} // namespace lumivex
