// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/register/PasswordDocente.h"

#include "windows/register/LetturaRegistro.h"

#include <sodium.h>

#include <algorithm>

namespace lumivex::registro {

namespace {

const QString ChiavePassword = QStringLiteral("password");
const QString ChiaveTentativi = QStringLiteral("tentativi_password");
const QString ChiaveBlocco = QStringLiteral("blocco_password");

} // namespace

PasswordDocente::PasswordDocente(LetturaRegistro &registro, Adesso adesso)
    : registro_(registro)
    , adesso_(std::move(adesso))
{
    if (sodium_init() < 0)
        qFatal("libsodium non si avvia");
}

bool PasswordDocente::Impostata()
{
    const auto impronta = registro_.Impostazione(ChiavePassword);
    return impronta && !impronta->isEmpty();
}

bool PasswordDocente::Imposta(const QString &password)
{
    const QByteArray utf8 = password.toUtf8();
    char impronta[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(impronta, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return false;
    return registro_.Imposta(ChiavePassword, QString::fromLatin1(impronta));
}

int PasswordDocente::Tentativi()
{
    const auto salvati = registro_.Impostazione(ChiaveTentativi);
    return std::max(tentativi_, salvati ? salvati->toInt() : 0);
}

void PasswordDocente::Registra(int tentativi, const QDateTime &bloccoFino)
{
    tentativi_ = tentativi;
    bloccoFino_ = bloccoFino;
    const QString fino = bloccoFino.isValid() ? bloccoFino.toUTC().toString(Qt::ISODate) : QString();
    registro_.Imposta(ChiaveTentativi, QString::number(tentativi));
    registro_.Imposta(ChiaveBlocco, fino);
}

int PasswordDocente::SecondiAlloSblocco()
{
    QDateTime fino = bloccoFino_;
    if (const auto salvato = registro_.Impostazione(ChiaveBlocco); salvato && !salvato->isEmpty()) {
        const QDateTime letto = QDateTime::fromString(*salvato, Qt::ISODate);
        if (letto.isValid() && (!fino.isValid() || letto > fino))
            fino = letto;
    }
    if (!fino.isValid())
        return 0;
    // A clock set back must not stretch the lock beyond its minute.
    const qint64 mancano = std::min<qint64>(adesso_().secsTo(fino), SecondiBlocco);
    return mancano > 0 ? static_cast<int>(mancano) : 0;
}

PasswordDocente::Esito PasswordDocente::Verifica(const QString &password)
{
    if (SecondiAlloSblocco() > 0)
        return Esito::Bloccata;
    const auto impronta = registro_.Impostazione(ChiavePassword);
    if (!impronta || impronta->isEmpty())
        return Esito::Guasto;
    const QByteArray utf8 = password.toUtf8();
    const QByteArray latino = impronta->toLatin1();
    if (crypto_pwhash_str_verify(latino.constData(), utf8.constData(), static_cast<unsigned long long>(utf8.size()))
        == 0) {
        Registra(0, {});
        return Esito::Giusta;
    }
    const int tentativi = Tentativi() + 1;
    if (tentativi >= TentativiPrimaDelBlocco) {
        Registra(0, adesso_().addSecs(SecondiBlocco));
        return Esito::Bloccata;
    }
    Registra(tentativi, {});
    return Esito::Sbagliata;
}

} // namespace lumivex::registro
