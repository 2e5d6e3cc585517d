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

} // namespace

std::vector<ParolaPdf> ParoleDelPdf(const QString &file)
{
    static const QRegularExpression parolaXml(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<ParolaPdf> parole;
    const QString xml = Esegui(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    for (auto trovate = parolaXml.globalMatch(xml); trovate.hasNext();) {
        const auto parola = trovate.next();
        const double y = parola.captured(2).toDouble();
        parole.push_back({parola.captured(4), parola.captured(1).toDouble(), y, parola.captured(3).toDouble() - y});
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
