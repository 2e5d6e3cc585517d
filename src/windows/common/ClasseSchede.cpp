// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/ClasseSchede.h"

#include <QSettings>

namespace lumivex {

namespace {

const QString ChiaveClasse = QStringLiteral("schede/classe");

QSettings Impostazioni()
{
    return QSettings(QStringLiteral("Lumivex"), QStringLiteral("Lumivex"));
}

} // namespace

QString ClasseSchede()
{
    return Impostazioni().value(ChiaveClasse).toString();
}

void ScriviClasseSchede(const QString &testo)
{
    QSettings impostazioni = Impostazioni();
    if (testo.trimmed().isEmpty()) {
        impostazioni.remove(ChiaveClasse);
    } else {
        impostazioni.setValue(ChiaveClasse, testo);
    }
}

QString TestoClasse(const QStringList &nomi)
{
    QStringList righe;
    for (const QString &nome : nomi) {
        QString riga = nome.simplified();
        // A control character would make the whole list unreadable.
        riga.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
        if (riga.isEmpty()) {
            continue;
        }
        // The list reads ';', ',' and tab as the fields of a CSV line.
        if (riga.contains(QLatin1Char(';')) || riga.contains(QLatin1Char(',')) || riga.contains(QLatin1Char('"'))) {
            riga = QLatin1Char('"') + riga.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
        }
        righe.append(riga);
    }
    return righe.join(QLatin1Char('\n'));
}

} // namespace lumivex
