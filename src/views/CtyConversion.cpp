#include "CtyConversion.h"

#include "CountryTable.h"
#include "common/FixedColumns.h"
#include "records/ActivationList.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace orvel {

namespace {

// The header of an entity: eight fields, each ended by ":".
enum HeaderField { Name, CqZone, ItuZone, Continent, Latitude, Longitude, UtcOffset, Primary };
constexpr int kHeaderFields = 8;

struct PrefixLine {
    QString prefix;
    QStringList fields; // name, code, continent, CQ, ITU, latitude, longitude, UTC offset
};

// The line of position, counting CR LF, LF and CR alone as line ends.
int lineAt(QStringView text, qsizetype position)
{
    int line = 1;
    for (qsizetype i = 0; i < position && i < text.size(); ++i) {
        if (text.at(i) == u'\n' ||
            (text.at(i) == u'\r' && (i + 1 == text.size() || text.at(i + 1) != u'\n')))
            ++line;
    }
    return line;
}

// The end of the line that holds a position, found once per line: a file without a line end
// of the usual kind (CR alone, or one long line) is read in one pass all the same.
class LineEnds
{
public:
    explicit LineEnds(QStringView text)
        : m_text(text)
    {
    }
    // The first CR or LF at or after at; the text's size when there is none.
    qsizetype from(qsizetype at)
    {
        if (m_end >= at && m_searchedFrom <= at)
            return m_end;
        m_searchedFrom = at;
        m_end = at;
        while (m_end < m_text.size() && m_text.at(m_end) != u'\n' && m_text.at(m_end) != u'\r')
            ++m_end;
        return m_end;
    }

private:
    QStringView m_text;
    qsizetype m_searchedFrom = 0;
    qsizetype m_end = -1;
};

QString failure(QStringView text, qsizetype position, const QString &what)
{
    return QStringLiteral("cty.dat, ligne %1 : %2").arg(lineAt(text, position)).arg(what);
}

// The overrides of one prefix: "(cq)", "[itu]", "<lat/long>", "{continent}", "~offset~"; a
// value never holds a line end, which would split the table's line.
bool applyOverrides(QStringView overrides, PrefixLine &line)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(\((\d+)\)|\[(\d+)\]|<([^/<>\r\n]+)/([^/<>\r\n]+)>)"
                       R"(|\{([A-Za-z]+)\}|~([^~\r\n]+)~)"));
    qsizetype at = 0;
    while (at < overrides.size()) {
        const auto match = pattern.match(overrides, at, QRegularExpression::NormalMatch,
                                         QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            return false;
        if (match.hasCaptured(1))
            line.fields[3] = match.captured(1);
        else if (match.hasCaptured(2))
            line.fields[4] = match.captured(2);
        else if (match.hasCaptured(3)) {
            line.fields[5] = match.captured(3).trimmed();
            line.fields[6] = match.captured(4).trimmed();
        } else if (match.hasCaptured(5))
            line.fields[2] = match.captured(5);
        else
            line.fields[7] = match.captured(6).trimmed();
        at += match.capturedLength();
    }
    return true;
}

bool isPrefixText(QStringView prefix)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9/]+$"));
    return allowed.match(prefix).hasMatch();
}

} // namespace

CtyConversion convertCtyDat(QStringView text)
{
    CtyConversion result;
    QList<PrefixLine> prefixes;
    QSet<QString> seen;
    LineEnds lineEnds(text);
    qsizetype at = 0;
    while (true) {
        while (at < text.size() && text.at(at).isSpace())
            ++at;
        if (at >= text.size())
            break;
        const qsizetype entityStart = at;
        QStringList header;
        for (int field = 0; field < kHeaderFields; ++field) {
            const qsizetype colon = text.indexOf(u':', at);
            if (colon < 0 || lineEnds.from(at) < colon) {
                result.error = failure(text, entityStart,
                                       QStringLiteral("l'en-tête du pays n'a pas ses huit champs "
                                                      "terminés par « : »."));
                return result;
            }
            header.append(text.mid(at, colon - at).trimmed().toString());
            at = colon + 1;
        }
        bool cqOk = false;
        bool ituOk = false;
        header[CqZone].toInt(&cqOk);
        header[ItuZone].toInt(&ituOk);
        QString code = header[Primary];
        if (code.startsWith(QLatin1Char('*')))
            code.remove(0, 1);
        code = code.left(kCountryCodeWidth);
        if (header[Name].isEmpty() || code.isEmpty() || !cqOk || !ituOk) {
            result.error = failure(text, entityStart,
                                   QStringLiteral("en-tête de pays illisible (nom, zones ou "
                                                  "préfixe principal)."));
            return result;
        }
        const qsizetype end = text.indexOf(u';', at);
        if (end < 0) {
            result.error = failure(text, entityStart,
                                   QStringLiteral("la liste des préfixes de %1 ne finit pas par "
                                                  "« ; ».")
                                       .arg(header[Name]));
            return result;
        }
        ++result.countries;
        // A ";" of the header would shift the table's fields.
        for (QString &field : header)
            field.replace(QLatin1Char(';'), QLatin1Char(','));
        code.replace(QLatin1Char(';'), QLatin1Char(','));
        const QString &name = header[Name];
        const QStringList base{name,
                               code,
                               header[Continent],
                               header[CqZone],
                               header[ItuZone],
                               header[Latitude],
                               header[Longitude],
                               header[UtcOffset]};
        for (QStringView alias : text.mid(at, end - at).split(u',')) {
            alias = alias.trimmed();
            if (alias.isEmpty())
                continue;
            if (alias.startsWith(u'=')) {
                ++result.exactCallsLeftOut;
                continue;
            }
            qsizetype cut = 0;
            while (cut < alias.size() && !QStringView(u"([<{~").contains(alias.at(cut)))
                ++cut;
            PrefixLine line{alias.left(cut).toString(), base};
            if (!isPrefixText(line.prefix) || !applyOverrides(alias.mid(cut), line)) {
                result.error =
                    failure(text, at + text.mid(at).indexOf(alias),
                            QStringLiteral("préfixe illisible « %1 ».").arg(alias.toString()));
                return result;
            }
            if (seen.contains(line.prefix))
                continue;
            seen.insert(line.prefix);
            prefixes.append(std::move(line));
        }
        at = end + 1;
    }
    if (prefixes.isEmpty()) {
        result.error = QStringLiteral("cty.dat ne contient aucun préfixe.");
        return result;
    }
    // Longer first, so that the first match is the longest: EA8 stands before EA.
    std::sort(prefixes.begin(), prefixes.end(), [](const PrefixLine &a, const PrefixLine &b) {
        if (a.prefix.size() != b.prefix.size())
            return a.prefix.size() > b.prefix.size();
        return a.prefix < b.prefix;
    });
    result.lines.reserve(prefixes.size());
    for (const PrefixLine &line : prefixes)
        // A control character of the file, in a header or an override, would make the table
        // no text file.
        result.lines.append(withoutControlCharacters(line.prefix + QLatin1Char(';') +
                                                     line.fields.join(QLatin1Char(';'))));
    return result;
}

FileResult writeCountryTable(const QString &folder, const QStringList &lines)
{
    return replaceFile(dataFilePath(folder, kCountryTableFile), lines);
}

QStringList builtInCountryTable()
{
    return readLines(QStringLiteral(":/data/Continents_DXCC.csv"));
}

FileResult installCountryTable(const QString &folder, bool *written)
{
    if (written)
        *written = false;
    if (QFile::exists(dataFilePath(folder, kCountryTableFile)))
        return FileResult::success();
    const QStringList table = builtInCountryTable();
    if (table.isEmpty())
        return FileResult::failure(
            QStringLiteral("La table des pays intégrée au programme est illisible."));
    const FileResult result = writeCountryTable(folder, table);
    if (written)
        *written = result.ok;
    return result;
}

} // namespace orvel
