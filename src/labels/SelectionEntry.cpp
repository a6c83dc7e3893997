#include "SelectionEntry.h"

#include "common/BothCores.h"
#include "common/StableRunSort.h"
#include "common/Windows1252.h"
#include "records/CurrentLog.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
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

// The entries are compared on keys held side by side, so that a sort reads no string: each
// character of an entry becomes the rank of its folded form among the folded forms of the
// 256 windows-1252 characters (ranks from 1; 0 pads a shorter entry, as the end of a shorter
// text comes first). Comparing keys byte by byte is then comparing the folded texts.
constexpr qsizetype kKeyLength = 80;

struct SortKey {
    std::array<quint8, kKeyLength> ranks;
    qsizetype index;
};

const std::array<quint8, 0x10000> &foldedRanks()
{
    static const std::array<quint8, 0x10000> ranks = [] {
        std::vector<char32_t> forms;
        for (int byte = 0; byte < 256; ++byte)
            forms.push_back(folded(windows1252Char(char(byte)).unicode()));
        std::sort(forms.begin(), forms.end());
        forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
        std::array<quint8, 0x10000> table{};
        for (size_t i = 0; i < forms.size(); ++i)
            table[forms[i] & 0xFFFF] = quint8(i + 1);
        return table;
    }();
    return ranks;
}

// The key of an entry; false when it holds a character outside windows-1252 or is longer
// than a key.
bool sortKeyOf(const QString &entry, qsizetype index, SortKey &key)
{
    if (entry.size() > kKeyLength)
        return false;
    const std::array<quint8, 0x10000> &ranks = foldedRanks();
    key.index = index;
    key.ranks.fill(0);
    const QChar *chars = entry.constData();
    for (qsizetype i = 0; i < entry.size(); ++i) {
        const char32_t form = folded(chars[i].unicode());
        const quint8 rank = form <= 0xFFFF ? ranks[form] : 0;
        if (rank == 0 || !isWindows1252(chars[i]))
            return false;
        key.ranks[size_t(i)] = rank;
    }
    return true;
}

} // namespace

namespace {

// The positions of entries in sorted order.
std::vector<qsizetype> sortedPositions(const QStringList &entries)
{
    std::vector<qsizetype> positions(size_t(entries.size()));
    std::vector<SortKey> keys(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        positions[size_t(i)] = i;
        if (!sortKeyOf(entries.at(i), i, keys[size_t(i)])) {
            // Text from elsewhere than a log line: compared whole.
            std::stable_sort(positions.begin(), positions.end(), [&entries](qsizetype a, qsizetype b) {
                return entryLess(entries.at(a), entries.at(b));
            });
            return positions;
        }
    }
    std::sort(keys.begin(), keys.end(), [&entries](const SortKey &a, const SortKey &b) {
        if (const int order = std::memcmp(a.ranks.data(), b.ranks.data(), kKeyLength))
            return order < 0;
        // The same text but for letter case: the characters' codes decide.
        const QString &x = entries.at(a.index);
        const QString &y = entries.at(b.index);
        if (x != y)
            return x < y;
        return a.index < b.index; // equal entries keep their order
    });
    for (size_t i = 0; i < keys.size(); ++i)
        positions[i] = keys[i].index;
    return positions;
}

} // namespace

void sortEntries(QStringList &entries)
{
    const std::vector<qsizetype> positions = sortedPositions(entries);
    QStringList sorted;
    sorted.reserve(entries.size());
    QString *from = entries.data();
    for (const qsizetype at : positions)
        sorted.append(std::move(from[at]));
    entries = std::move(sorted);
}

void sortEntries(QStringList &entries, QList<qsizetype> &rows)
{
    const std::vector<qsizetype> positions = sortedPositions(entries);
    QStringList sorted;
    QList<qsizetype> sortedRows;
    sorted.reserve(entries.size());
    sortedRows.reserve(rows.size());
    QString *from = entries.data();
    for (const qsizetype at : positions) {
        sorted.append(std::move(from[at]));
        sortedRows.append(rows.at(at));
    }
    entries = std::move(sorted);
    rows = std::move(sortedRows);
}

namespace {

// The entries of stored lines compared as entryLess compares their texts, without making
// them: each entry character is the line's byte at its place (selectionEntry()), ranked by
// its folded form, then by its code.
class StoredEntries
{
public:
    StoredEntries()
    {
        const std::array<quint8, 0x10000> &ranks = foldedRanks();
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t code = windows1252Char(char(byte)).unicode();
            m_codes[size_t(byte)] = code;
            m_ranks[size_t(byte)] = ranks[folded(code) & 0xFFFF];
        }
    }

    // The entry's character at entry position at (from selcol::kLead on), as a byte of line.
    static uchar byteAt(QByteArrayView line, qsizetype at)
    {
        const qsizetype part = qMin<qsizetype>(line.size(), selcol::kLogPart);
        constexpr qsizetype tailStart = selcol::kLength - qsocol::kTime.last();
        qsizetype from = -1;
        if (at < tailStart - 1)
            from = at + selcol::kBodyShift;
        else if (at >= tailStart)
            from = at - tailStart;
        return from >= 0 && from < part ? uchar(line[from]) : uchar(' ');
    }

    // The ranks of kHeadLength characters from entry position from on (the first after the
    // lead by default), packed: heads compare as those characters do. Past the entry, 0.
    static constexpr qsizetype kHeadLength = 24;
    using Head = std::array<quint64, kHeadLength / 8>;
    Head headOf(QByteArrayView line, qsizetype from = selcol::kLead) const
    {
        // Each word is put together in a register, eight characters at a time.
        Head head{};
        constexpr qsizetype tailStart = selcol::kLength - qsocol::kTime.last();
        if (from >= selcol::kLead && from + kHeadLength < tailStart) {
            // Within the call sign's part of the line: its bytes in a row, blanks past its end.
            const qsizetype start = from + selcol::kBodyShift;
            const qsizetype available =
                qBound<qsizetype>(0, qMin<qsizetype>(line.size(), selcol::kLogPart) - start,
                                  kHeadLength);
            const uchar *bytes = reinterpret_cast<const uchar *>(line.data()) + start;
            if (available == kHeadLength) {
                for (size_t w = 0; w < head.size(); ++w) {
                    quint64 word = 0;
                    for (size_t i = 0; i < 8; ++i)
                        word = (word << 8) | m_ranks[bytes[w * 8 + i]];
                    head[w] = word;
                }
                return head;
            }
            const uchar blank = m_ranks[uchar(' ')];
            for (size_t w = 0; w < head.size(); ++w) {
                quint64 word = 0;
                for (qsizetype i = 0; i < 8; ++i) {
                    const qsizetype at = qsizetype(w) * 8 + i;
                    word = (word << 8) | (at < available ? m_ranks[bytes[at]] : blank);
                }
                head[w] = word;
            }
            return head;
        }
        for (size_t w = 0; w < head.size(); ++w) {
            quint64 word = 0;
            for (qsizetype i = 0; i < 8; ++i) {
                const qsizetype at = from + qsizetype(w) * 8 + i;
                word = (word << 8) | (at < selcol::kLength ? m_ranks[byteAt(line, at)] : 0);
            }
            head[w] = word;
        }
        return head;
    }

    static int compareHeads(const Head &a, const Head &b)
    {
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i])
                return a[i] < b[i] ? -1 : 1;
        }
        return 0;
    }

    // Whole entries whose characters before entry position from fold alike: the folded forms,
    // then the codes.
    int compare(QByteArrayView a, QByteArrayView b, qsizetype from = selcol::kLead) const
    {
        for (qsizetype at = from; at < selcol::kLength; ++at) {
            const quint8 ra = m_ranks[byteAt(a, at)];
            const quint8 rb = m_ranks[byteAt(b, at)];
            if (ra != rb)
                return ra < rb ? -1 : 1;
        }
        for (qsizetype at = selcol::kLead; at < selcol::kLength; ++at) {
            const char16_t ca = m_codes[byteAt(a, at)];
            const char16_t cb = m_codes[byteAt(b, at)];
            if (ca != cb)
                return ca < cb ? -1 : 1;
        }
        return 0;
    }

private:
    std::array<quint8, 256> m_ranks{};
    std::array<char16_t, 256> m_codes{};
};

// The rows whose chosen flag is wanted, in the order of their entries: sorted on the heads of
// their first 48 characters, made in one pass over the rows in their order (56 bytes a row
// beside the log), so that the sort itself goes back to no line, whose bytes lie anywhere in
// memory. Runs of equal heads (a call sign's QSOs in one mode) take the heads of the next
// characters in a second pass in the log's order, then are sorted among themselves.
QList<qsizetype> sortedRows(const LogRows &rows, const std::vector<bool> &chosen, bool wanted)
{
    static const StoredEntries entries;
    constexpr qsizetype kSecond = selcol::kLead + StoredEntries::kHeadLength;
    constexpr qsizetype kThird = kSecond + StoredEntries::kHeadLength;
    struct Item {
        StoredEntries::Head head;
        StoredEntries::Head next;
        qsizetype row;
    };
    struct Run {
        quint32 begin;
        quint32 end;
    };
    // The items, then where each row of a run of equal heads stands among them, then the runs
    // (at most one for two items), in one block: a long log's is mapped for it alone and given
    // back whole when freed, where smaller blocks would stay in the heap of the thread. The
    // items are left unset until they are made, so that their memory is first touched by the
    // two threads; the rest is touched only when there are runs.
    const size_t count = size_t(std::count(chosen.cbegin(), chosen.cend(), wanted));
    const size_t itemBytes = count * sizeof(Item);
    const size_t placeBytes = size_t(rows.size()) * sizeof(quint32);
    const std::unique_ptr<std::byte[]> block(
        new std::byte[itemBytes + placeBytes + (count / 2 + 1) * sizeof(Run)]);
    Item *const items = reinterpret_cast<Item *>(block.get());
    quint32 *const placeOfRow = reinterpret_cast<quint32 *>(block.get() + itemBytes);
    Run *const runs = reinterpret_cast<Run *>(block.get() + itemBytes + placeBytes);
    size_t runCount = 0;
    const qsizetype half = rows.size() / 2;
    const size_t wantedBeforeHalf = size_t(std::count(chosen.cbegin(), chosen.cbegin() + half, wanted));
    onBothCores(rows.size(), [&](qsizetype begin, qsizetype end) {
        // The halves onBothCores gives, or the whole log on one thread.
        size_t at = begin == 0 ? 0 : wantedBeforeHalf;
        for (qsizetype row = begin; row < end; ++row) {
            if (chosen[size_t(row)] == wanted) {
                const QByteArrayView line = rows.rowBytes(row);
                items[at++] = {entries.headOf(line), entries.headOf(line, kSecond), row};
            }
        }
    });
    const auto compareHeads = [](const Item &a, const Item &b) {
        if (const int c = StoredEntries::compareHeads(a.head, b.head); c != 0)
            return c;
        return StoredEntries::compareHeads(a.next, b.next);
    };
    sortOnBothCores(items, items + count, [&](const Item &a, const Item &b) {
        const int c = compareHeads(a, b);
        return c != 0 ? c < 0 : a.row < b.row;
    });
    // The runs of equal heads, and where each of their rows stands in the list. The next
    // heads of those rows are then made in the log's order, on both cores, each row's into its
    // own item: read in the list's order, the lines would be fetched from anywhere in memory.
    constexpr quint32 kNotInRun = std::numeric_limits<quint32>::max();
    for (size_t begin = 0, end = 0; begin < count; begin = end) {
        end = begin + 1;
        while (end < count && compareHeads(items[end], items[begin]) == 0)
            ++end;
        if (end - begin == 1)
            continue;
        if (runCount == 0)
            std::fill(placeOfRow, placeOfRow + rows.size(), kNotInRun);
        runs[runCount++] = {quint32(begin), quint32(end)};
        for (size_t i = begin; i < end; ++i)
            placeOfRow[size_t(items[i].row)] = quint32(i);
    }
    if (runCount > 0) {
        onBothCores(rows.size(), [&](qsizetype begin, qsizetype end) {
            // The items written lie anywhere in the list: each is fetched a few rows ahead.
            constexpr qsizetype kAhead = 16;
            for (qsizetype row = begin; row < end; ++row) {
                if (row + kAhead < end) {
                    if (const quint32 ahead = placeOfRow[size_t(row + kAhead)]; ahead != kNotInRun)
                        __builtin_prefetch(&items[ahead].next, 1);
                }
                if (const quint32 place = placeOfRow[size_t(row)]; place != kNotInRun)
                    items[place].next = entries.headOf(rows.rowBytes(row), kThird);
            }
        });
    }
    // Each run sorted on those heads; rows still equal after them are compared as lines. The
    // runs are shared between the two cores.
    constexpr qsizetype kLast = kThird + StoredEntries::kHeadLength;
    onBothCores(qsizetype(runCount), [&](qsizetype first, qsizetype last) {
        for (qsizetype run = first; run < last; ++run) {
            const auto [begin, end] = runs[run];
            std::sort(items + begin, items + end, [](const Item &a, const Item &b) {
                const int c = StoredEntries::compareHeads(a.next, b.next);
                return c != 0 ? c < 0 : a.row < b.row;
            });
            for (quint32 equalBegin = begin, equalEnd = begin; equalBegin < end;
                 equalBegin = equalEnd) {
                equalEnd = equalBegin + 1;
                while (equalEnd < end && StoredEntries::compareHeads(items[equalEnd].next,
                                                                     items[equalBegin].next) == 0)
                    ++equalEnd;
                if (equalEnd - equalBegin > 1) {
                    stableSortRun(items + equalBegin, items + equalEnd,
                                  [&](const Item &a, const Item &b) {
                                      return entries.compare(rows.rowBytes(a.row),
                                                             rows.rowBytes(b.row), kLast) < 0;
                                  });
                }
            }
        }
    });
    QList<qsizetype> sorted;
    sorted.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i)
        sorted.append(items[i].row);
    return sorted;
}

SelectionLists splitLists(const LogRows &rows, const std::vector<bool> &chosen)
{
    return {sortedRows(rows, chosen, false), sortedRows(rows, chosen, true)};
}

} // namespace

SelectionLists selectionLists(const LogRows &rows, const QList<qsizetype> &chosenRows)
{
    std::vector<bool> chosen(size_t(rows.size()), false);
    for (const qsizetype row : chosenRows) {
        if (row >= 0 && row < rows.size())
            chosen[size_t(row)] = true;
    }
    return splitLists(rows, chosen);
}

SelectionLists selectionListsMatching(const LogRows &rows, const QStringList &chosenEntries)
{
    QHash<QString, qsizetype> wanted;
    for (const QString &entry : chosenEntries)
        ++wanted[entry];
    std::vector<bool> chosen(size_t(rows.size()), false);
    for (qsizetype row = 0; row < rows.size() && !wanted.isEmpty(); ++row) {
        const auto it = wanted.find(selectionEntry(rows.rowBytes(row)));
        if (it == wanted.end())
            continue;
        chosen[size_t(row)] = true;
        if (--it.value() == 0)
            wanted.erase(it);
    }
    return splitLists(rows, chosen);
}

} // namespace orvel
