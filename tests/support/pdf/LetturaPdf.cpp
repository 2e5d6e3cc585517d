// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pdf/LetturaPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

namespace lumivex::prove {

namespace {

QString Esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess processo;
    processo.start(programma, argomenti);
    const bool riuscito = processo.waitForFinished(20000) && processo.exitCode() == 0;
    return riuscito ? QString::fromUtf8(processo.readAllStandardOutput()) : QString();
}

// pdftotext -bbox writes XML: "D'Angelo" comes as "D&apos;Angelo".
QString SenzaEntita(QString testo)
{
    testo.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    testo.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    testo.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    testo.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    testo.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return testo;
}

} // namespace

std::vector<std::vector<ParolaPdf>> ParolePerPagina(const QString &file)
{
    static const QRegularExpression parolaXml(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<std::vector<ParolaPdf>> pagine;
    const QString xml = Esegui(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    const QStringList parti = xml.split(QStringLiteral("<page "));
    for (qsizetype i = 1; i < parti.size(); ++i) {
        std::vector<ParolaPdf> &parole = pagine.emplace_back();
        for (auto trovate = parolaXml.globalMatch(parti[i]); trovate.hasNext();) {
            const auto parola = trovate.next();
            const double x = parola.captured(1).toDouble();
            const double y = parola.captured(2).toDouble();
            parole.push_back({SenzaEntita(parola.captured(5)), x, y, parola.captured(4).toDouble() - y,
                              parola.captured(3).toDouble() - x});
        }
    }
    return pagine;
}

std::vector<ParolaPdf> ParoleDelPdf(const QString &file)
{
    std::vector<ParolaPdf> parole;
    for (const std::vector<ParolaPdf> &pagina : ParolePerPagina(file)) {
        parole.insert(parole.end(), pagina.begin(), pagina.end());
    }
    return parole;
}

std::vector<RigaPdf> RigheDiParole(std::vector<ParolaPdf> parole)
{
    std::sort(parole.begin(), parole.end(), [](const ParolaPdf &a, const ParolaPdf &b) { return a.Y < b.Y; });
    std::vector<RigaPdf> righe;
    for (auto inizio = parole.begin(); inizio != parole.end();) {
        const double y = inizio->Y;
        const auto fine =
            std::find_if(inizio, parole.end(), [y](const ParolaPdf &parola) { return parola.Y - y > 0.5; });
        std::sort(inizio, fine, [](const ParolaPdf &a, const ParolaPdf &b) { return a.X < b.X; });
        righe.push_back({inizio->Testo, inizio->X, inizio->Y});
        for (auto parola = std::next(inizio); parola != fine; ++parola) {
            righe.back().Testo += QLatin1Char(' ') + parola->Testo;
        }
        inizio = fine;
    }
    return righe;
}

std::vector<RigaPdf> RigheDelPdf(const QString &file)
{
    return RigheDiParole(ParoleDelPdf(file));
}

PaginePdf PagineDelPdf(const QString &file)
{
    static const QRegularExpression info(
        QStringLiteral(R"(Pages:\s+(\d+)[\s\S]*Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    const auto trovata = info.match(Esegui(QStringLiteral("pdfinfo"), {file}));
    if (!trovata.hasMatch()) {
        return {};
    }
    return {trovata.captured(1).toInt(), trovata.captured(2).toDouble(), trovata.captured(3).toDouble()};
}

QImage ImmagineDelPdf(const QString &file, int dpi)
{
    QTemporaryDir cartella;
    const QString radice = cartella.filePath(QStringLiteral("pagina"));
    Esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                        QStringLiteral("-singlefile"), file, radice});
    return QImage(radice + QStringLiteral(".png"));
}

} // namespace lumivex::prove
