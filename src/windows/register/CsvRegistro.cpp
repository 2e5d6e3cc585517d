// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/register/CsvRegistro.h"

#include "windows/register/LetturaRegistro.h"

#include <QDir>
#include <QSaveFile>

namespace lumivex::registro {

namespace {

QString Campo(const QString &testo)
{
    if (!testo.contains(QLatin1Char(';')) && !testo.contains(QLatin1Char('"')) && !testo.contains(QLatin1Char('\n'))
        && !testo.contains(QLatin1Char('\r')))
        return testo;
    QString quotato = testo;
    quotato.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quotato + QLatin1Char('"');
}

QStringList CampiEsercizio(const QString &nome, const RigaEsercizio &e)
{
    QStringList campi{nome, e.Inizio, QString::number(e.Minimo), QString::number(e.Massimo)};
    if (e.Finito)
        campi << QString::number(e.Esatte) << QString::number(e.Errate) << QString::number(e.Secondi) << e.Voto;
    else
        campi << QString() << QString() << QString() << QString();
    return campi;
}

QString Numero(bool vero) { return vero ? QStringLiteral("1") : QStringLiteral("0"); }

// Writes a file through `scrivi` and keeps it only if every line went in.
class FileCsv {
public:
    explicit FileCsv(const QString &percorso)
        : file_(percorso)
    {
        ok_ = file_.open(QIODevice::WriteOnly);
        if (ok_)
            ok_ = file_.write("\xEF\xBB\xBF", 3) == 3;
    }
    void Riga(const QStringList &campi)
    {
        if (!ok_)
            return;
        const QByteArray utf8 = RigaCsv(campi).toUtf8();
        ok_ = file_.write(utf8) == utf8.size();
    }
    bool Chiudi()
    {
        if (!ok_) {
            file_.cancelWriting();
            return false;
        }
        return file_.commit();
    }
    void Annulla() { file_.cancelWriting(); }

private:
    QSaveFile file_;
    bool ok_ = false;
};

} // namespace

QString RigaCsv(const QStringList &campi)
{
    QStringList quotati;
    quotati.reserve(campi.size());
    for (const QString &campo : campi)
        quotati.append(Campo(campo));
    return quotati.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

bool EsportaCsv(LetturaRegistro &registro, const QString &cartella, QString *errore)
{
    const QDir dir(cartella);
    FileCsv esercizi(dir.filePath(QString::fromUtf16(FileEsercizi)));
    FileCsv problemi(dir.filePath(QString::fromUtf16(FileProblemi)));
    esercizi.Riga({QStringLiteral("Alunno"), QStringLiteral("Inizio"), QStringLiteral("Minimo"),
                   QStringLiteral("Massimo"), QStringLiteral("Esatte"), QStringLiteral("Errate"),
                   QStringLiteral("Secondi"), QStringLiteral("Voto")});
    problemi.Riga({QStringLiteral("Alunno"), QStringLiteral("Inizio esercizio"), QStringLiteral("Problema"),
                   QStringLiteral("Termine 1"), QStringLiteral("Termine 2"), QStringLiteral("Termine 3"),
                   QStringLiteral("Termine 4"), QStringLiteral("Termine nascosto"), QStringLiteral("Soluzione"),
                   QStringLiteral("Risposte"), QStringLiteral("Aiuto"), QStringLiteral("Intervento"),
                   QStringLiteral("Secondi")});
    const bool letti =
        registro.PerOgniEsercizio([&](const QString &nome, const RigaEsercizio &e) {
            esercizi.Riga(CampiEsercizio(nome, e));
        })
        && registro.PerOgniProblema([&](const QString &nome, const RigaEsercizio &e, const RigaProblema &p) {
               problemi.Riga({nome, e.Inizio, QString::number(p.Progressivo), QString::number(p.Num[0]),
                              QString::number(p.Num[1]), QString::number(p.Num[2]), QString::number(p.Num[3]),
                              QString::number(p.Nascosto), QString::number(p.Soluzione), p.Risposte,
                              Numero(p.Aiuto), Numero(p.Intervento), QString::number(p.Secondi)});
           });
    if (!letti) {
        esercizi.Annulla();
        problemi.Annulla();
        *errore = QStringLiteral("Il registro non si può leggere: %1").arg(registro.Errore());
        return false;
    }
    const bool primo = esercizi.Chiudi();
    const bool secondo = primo && problemi.Chiudi();
    if (!secondo) {
        problemi.Annulla();
        if (primo)
            QFile::remove(dir.filePath(QString::fromUtf16(FileEsercizi)));
        *errore = QStringLiteral("Non riesco a scrivere i file CSV nella cartella %1: controlla che esista, "
                                 "che si possa scrivere e che il disco non sia pieno.")
                      .arg(QDir::toNativeSeparators(cartella));
        return false;
    }
    return true;
}

} // namespace lumivex::registro
