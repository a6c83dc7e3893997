#include "SelectionEntry.h"

#include "common/Windows1252.h"

#include <algorithm>
#include <array>
#include <vector>

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

namespace {

// An entry's first twelve characters, folded, as three numbers that compare as the
// characters do; an entry shorter than that is padded with zeros, which come first, as the
// end of a shorter text does.
struct SortKey {
    std::array<quint64, 3> prefix{};
    qsizetype index = 0;
};

SortKey sortKeyOf(const QString &entry, qsizetype index)
{
    SortKey key;
    key.index = index;
    const QChar *chars = entry.constData();
    const qsizetype count = qMin<qsizetype>(entry.size(), 12);
    for (qsizetype i = 0; i < 12; ++i) {
        const quint64 unit = i < count ? quint64(folded(chars[i].unicode()) & 0xFFFF) : 0;
        key.prefix[size_t(i / 4)] = (key.prefix[size_t(i / 4)] << 16) | unit;
    }
    return key;
}

} // namespace

// A whole log is sorted on small keys held side by side, so that most comparisons read no
// string: only entries whose first twelve characters fold alike are compared whole.
void sortEntries(QStringList &entries)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.push_back(sortKeyOf(entries.at(i), i));
    std::sort(keys.begin(), keys.end(), [&entries](const SortKey &a, const SortKey &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const QString &x = entries.at(a.index);
        const QString &y = entries.at(b.index);
        if (entryLess(x, y))
            return true;
        if (entryLess(y, x))
            return false;
        return a.index < b.index; // equal entries keep their order
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    QString *from = entries.data();
    for (const SortKey &key : keys)
        sorted.append(std::move(from[key.index]));
    entries = std::move(sorted);
}

} // namespace orvel
