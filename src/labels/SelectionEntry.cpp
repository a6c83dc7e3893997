#include "SelectionEntry.h"

#include "common/Windows1252.h"

#include <algorithm>

namespace orvel {

QString selectionEntry(QStringView logLine)
{
    QString part = logLine.left(selcol::kLogPart).toString();
    if (part.size() < selcol::kLogPart)
        part.append(QString(selcol::kLogPart - part.size(), QLatin1Char(' ')));
    const int bodyStart = qsocol::kCall.first - 1;
    QString entry;
    entry.reserve(selcol::kLength);
    entry.append(QString(selcol::kLead, QLatin1Char(' ')));
    entry.append(QStringView(part).mid(bodyStart));
    entry.append(QLatin1Char(' '));
    entry.append(QStringView(part).left(qsocol::kTime.last()));
    return entry;
}

QString selectionEntry(QByteArrayView logLine)
{
    // Written in place, one string per entry: a long log makes a million of them.
    QString entry(selcol::kLength, QLatin1Char(' '));
    QChar *out = entry.data();
    const qsizetype part = qMin<qsizetype>(logLine.size(), selcol::kLogPart);
    const qsizetype bodyStart = qsocol::kCall.first - 1;
    for (qsizetype i = bodyStart; i < part; ++i)
        out[selcol::kLead + i - bodyStart] = windows1252Char(logLine[i]);
    const qsizetype tailStart = selcol::kLength - qsocol::kTime.last();
    for (qsizetype i = 0; i < qMin<qsizetype>(part, qsocol::kTime.last()); ++i)
        out[tailStart + i] = windows1252Char(logLine[i]);
    return entry;
}

LabelQso labelQsoOfEntry(QStringView entry)
{
    const auto field = [entry](const LineColumn &column) {
        return trimmedColumn(entry, column).toString();
    };
    return {field(selcol::kCall), field(selcol::kDepartment), field(selcol::kRst),
            field(selcol::kMode), field(selcol::kBand),       field(selcol::kDate),
            field(selcol::kTime)};
}

namespace {

// The case folding of QString::compare(Qt::CaseInsensitive), with the letters of the call
// signs and numbers folded without a table look-up.
inline char32_t folded(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char32_t(c + 0x20) : char32_t(c);
    return QChar::toCaseFolded(char32_t(c));
}

} // namespace

// The order of QString::compare(a, b, Qt::CaseInsensitive), then of the characters' codes; it
// decides the sort of a whole log, so it walks the characters once, folding only those that
// differ.
bool entryLess(const QString &a, const QString &b)
{
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (pa[i] == pb[i])
            continue;
        const char32_t fa = folded(pa[i].unicode());
        const char32_t fb = folded(pb[i].unicode());
        if (fa != fb)
            return fa < fb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void sortEntries(QStringList &entries)
{
    std::stable_sort(entries.begin(), entries.end(), entryLess);
}

} // namespace orvel
