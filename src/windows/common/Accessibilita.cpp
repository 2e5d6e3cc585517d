// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/Accessibilita.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

namespace lumivex {

QString TestoParlato(const QString &didascalia)
{
    const QString testo = didascalia.trimmed();
    // Single letters with single blanks between them; words apart by two
    // or more blanks.
    static const QRegularExpression spaziata(QStringLiteral("^\\p{L}( \\p{L})+(  +\\p{L}( \\p{L})+)*$"));
    if (!spaziata.match(testo).hasMatch()) {
        return didascalia;
    }
    QStringList parole;
    for (const QString &parola : testo.split(QRegularExpression(QStringLiteral("  +")))) {
        parole << QString(parola).remove(QLatin1Char(' '));
    }
    QString parlato = parole.join(QLatin1Char(' '));
    // Capitals spaced out are a headline, not an acronym: spelt out letter
    // by letter they would be read that way.
    if (parlato == parlato.toUpper()) {
        parlato = parlato.left(1) + parlato.mid(1).toLower();
    }
    return parlato;
}

void NominaDidascalieSpaziate(QWidget &finestra)
{
    const auto nomina = [](QWidget &controllo, const QString &didascalia) {
        const QString parlato = TestoParlato(didascalia);
        if (controllo.accessibleName().isEmpty() && parlato != didascalia) {
            controllo.setAccessibleName(parlato);
        }
    };
    for (QAbstractButton *pulsante : finestra.findChildren<QAbstractButton *>()) {
        nomina(*pulsante, pulsante->text());
    }
    for (QLabel *etichetta : finestra.findChildren<QLabel *>()) {
        nomina(*etichetta, etichetta->text());
    }
}

} // namespace lumivex
