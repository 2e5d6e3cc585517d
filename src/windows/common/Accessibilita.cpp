// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/common/Accessibilita.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
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

namespace {

// The role asked for a control rides on the control itself, so the one
// factory below serves every window and needs no list of its own.
constexpr char ProprietaRuolo[] = "lumivexRuoloLetto";
constexpr char ProprietaNascosto[] = "lumivexNascostoAiLettori";

// Nameless and never on screen, whatever the widget shows: readers pass
// it by.
class ControlloNascosto : public QAccessibleWidget {
public:
    explicit ControlloNascosto(QWidget *controllo)
        : QAccessibleWidget(controllo, QAccessible::Graphic)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State stato = QAccessibleWidget::state();
        stato.invisible = true;
        return stato;
    }

    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface *FabbricaRuoli(const QString &, QObject *oggetto)
{
    auto *controllo = qobject_cast<QWidget *>(oggetto);
    if (controllo == nullptr) {
        return nullptr;
    }
    if (controllo->property(ProprietaNascosto).toBool()) {
        return new ControlloNascosto(controllo);
    }
    const QVariant ruolo = controllo->property(ProprietaRuolo);
    if (ruolo.isValid()) {
        return new QAccessibleWidget(controllo, static_cast<QAccessible::Role>(ruolo.toInt()));
    }
    return nullptr;
}

void InstallaFabbricaRuoli()
{
    static const bool installata = [] {
        QAccessible::installFactory(&FabbricaRuoli);
        return true;
    }();
    Q_UNUSED(installata);
}

} // namespace

void ImpostaRuoloLetto(QWidget &controllo, QAccessible::Role ruolo)
{
    InstallaFabbricaRuoli();
    controllo.setProperty(ProprietaRuolo, static_cast<int>(ruolo));
}

void NascondiAiLettori(QWidget &controllo)
{
    InstallaFabbricaRuoli();
    controllo.setProperty(ProprietaNascosto, true);
}

void NominaDallIntestazione(QLabel &valore)
{
    QWidget *genitore = valore.parentWidget();
    if (genitore == nullptr) {
        return;
    }
    for (const QLabel *intestazione : genitore->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (intestazione->buddy() == &valore) {
            const QString numero = valore.text().trimmed();
            const QString nome = TestoParlato(intestazione->text()).trimmed() + QStringLiteral(": ")
                + (numero.isEmpty() ? QStringLiteral("0") : numero);
            if (valore.accessibleName() != nome) {
                valore.setAccessibleName(nome);
            }
            return;
        }
    }
}

} // namespace lumivex
