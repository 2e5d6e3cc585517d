#include "LetturaPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace lumivex::prove {

namespace {

QString Esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess processo;
    processo.start(programma, argomenti);
    if (!processo.waitForFinished(20000) || processo.exitCode() != 0) {
        processo.kill();
        processo.waitForFinished(1000);
        return {};
    }
    return QString::fromUtf8(processo.readAllStandardOutput());
}

QString SenzaEntita(QString testo)
{
    testo.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    testo.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    testo.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    testo.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    testo.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return testo;
}

} // namespace

std::vector<RigaPdf> RigheDelPdf(const QString &file)
{
    struct Parola {
        QString testo;
        double x;
        double y;
    };
    static const QRegularExpression parolaXml(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    std::vector<Parola> parole;
    const QString xml = Esegui(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    for (auto trovata = parolaXml.globalMatch(xml); trovata.hasNext();) {
        const auto parola = trovata.next();
        parole.push_back({SenzaEntita(parola.captured(3)), parola.captured(1).toDouble(), parola.captured(2).toDouble()});
    }
    // Words whose tops agree within half a point stand on one line.
    std::sort(parole.begin(), parole.end(), [](const Parola &a, const Parola &b) { return a.y < b.y; });
    std::vector<std::vector<Parola>> gruppi;
    for (const Parola &parola : parole) {
        if (gruppi.empty() || parola.y - gruppi.back().front().y > 0.5) {
            gruppi.emplace_back();
        }
        gruppi.back().push_back(parola);
    }
    std::vector<RigaPdf> righe;
    for (std::vector<Parola> &gruppo : gruppi) {
        std::sort(gruppo.begin(), gruppo.end(), [](const Parola &a, const Parola &b) { return a.x < b.x; });
        RigaPdf riga{gruppo.front().testo, gruppo.front().x, gruppo.front().y};
        for (std::size_t i = 1; i < gruppo.size(); ++i) {
            riga.Testo += QLatin1Char(' ') + gruppo[i].testo;
        }
        righe.push_back(riga);
    }
    return righe;
}

PaginePdf PagineDelPdf(const QString &file)
{
    PaginePdf pagine;
    const QString info = Esegui(QStringLiteral("pdfinfo"), {file});
    static const QRegularExpression numero(QStringLiteral(R"(Pages:\s+(\d+))"));
    static const QRegularExpression misura(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"));
    if (const auto trovato = numero.match(info); trovato.hasMatch()) {
        pagine.Pagine = trovato.captured(1).toInt();
    }
    if (const auto trovata = misura.match(info); trovata.hasMatch()) {
        pagine.Larghezza = trovata.captured(1).toDouble();
        pagine.Altezza = trovata.captured(2).toDouble();
    }
    return pagine;
}

QImage ImmagineDelPdf(const QString &file, int dpi)
{
    QTemporaryDir cartella;
    const QString radice = cartella.filePath(QStringLiteral("pagina"));
    Esegui(QStringLiteral("pdftoppm"),
           {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"), file, radice});
    return QImage(radice + QStringLiteral(".png"));
}

} // namespace lumivex::prove
