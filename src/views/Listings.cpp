#include "Listings.h"

#include "common/BothCores.h"
#include "common/FixedColumns.h"
#include "common/StableRunSort.h"
#include "common/Windows1252.h"
#include "common/Program.h"
#include "common/TextFile.h"
#include "records/CurrentLog.h"
#include "records/QsoLine.h"

#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

namespace orvel {

namespace {

constexpr int kNumberWidth = 5;
// Where the call sign starts: the alphanumeric log sorts on the line from there on.
constexpr int kCallStart = qsocol::kCall.first - 1;

// The first 256 characters folded: the characters of nearly every log.
const std::array<char16_t, 0x100> kLatin1Folded = [] {
    std::array<char16_t, 0x100> folded{};
    for (size_t i = 0; i < folded.size(); ++i)
        folded[i] = QChar(char16_t(i)).toCaseFolded().unicode();
    return folded;
}();

char16_t foldedForListing(char16_t c)
{
    return c < 0x100 ? kLatin1Folded[c] : QChar(c).toCaseFolded().unicode();
}

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString referencesText(const QStringList &references)
{
    QString text;
    for (const QString &reference : references)
        text += QLatin1Char(' ') + reference;
    return text;
}

QString countLine(int operatorCount)
{
    return blanks(30) + numberText(operatorCount) +
           QStringLiteral(" opérateurs différents contactés");
}

// The characters of a line, as text or as a log's stored bytes (windows-1252, a byte a
// character): a byte's character, and each folded.
char16_t characterOf(char byte)
{
    return windows1252Char(byte).unicode();
}

// Every byte's character folded.
const std::array<char16_t, 0x100> kBytesFolded = [] {
    std::array<char16_t, 0x100> folded{};
    for (size_t i = 0; i < folded.size(); ++i)
        folded[i] = foldedForListing(characterOf(char(i)));
    return folded;
}();

char16_t foldedOf(QChar c)
{
    return foldedForListing(c.unicode());
}
char16_t foldedOf(char byte)
{
    return kBytesFolded[uchar(byte)];
}

// Two parts compared character by character, as texts.
int compareText(QStringView a, QStringView b)
{
    return a.compare(b);
}
int compareText(QByteArrayView a, QByteArrayView b)
{
    for (qsizetype i = 0, common = qMin(a.size(), b.size()); i < common; ++i) {
        const char16_t ca = characterOf(a.at(i));
        const char16_t cb = characterOf(b.at(i));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// An entry to sort: one part of a line, or two parts joined by a blank, taken from the line
// without a copy. Entries compare on their texts folded (letters without regard to case), then
// on the parts as they are, so that only entries that differ in letter case alone come to the
// parts. Lines as text and lines as stored give the same order.
template <typename View>
struct Parts {
    View first;
    View second;
    bool joined = false;

    qsizetype foldedLength() const { return first.size() + (joined ? 1 + second.size() : 0); }
    char16_t foldedAt(qsizetype i) const
    {
        if (i < first.size())
            return foldedOf(first.at(i));
        if (i == first.size())
            return u' ';
        return foldedOf(second.at(i - first.size() - 1));
    }
};
using EntryParts = Parts<QStringView>;
using StoredParts = Parts<QByteArrayView>;

// An entry's first 32 folded characters, a character to a byte: the numbers compare as the
// folded texts do, up to the first character from 255 on. That one packs as 255 and ends the
// packing, so that the texts decide between entries that reach it, in the same order. The heads
// decide nearly every comparison; only entries with equal heads have their texts compared.
template <size_t Words>
using HeadOf = std::array<quint64, Words>;
using Head = HeadOf<4>;
// The heads of the characters after a head's: 24 of them, so that an entry to sort takes a
// cache line.
using NextHead = HeadOf<3>;

template <size_t Words>
int compareHeads(const HeadOf<Words> &a, const HeadOf<Words> &b)
{
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

// Eight stored bytes folded at once when they are all ASCII, whose only folding turns
// capitals into small letters; false, word unchanged, for any other byte among them.
bool asciiFolded(quint64 &word)
{
    constexpr quint64 kEach = 0x0101010101010101;
    if (word & (0x80 * kEach))
        return false;
    // A byte's high bit set from 'A' on, and from the character after 'Z' on.
    const quint64 fromA = word + (0x80 - 'A') * kEach;
    const quint64 pastZ = word + (0x80 - 'Z' - 1) * kEach;
    word |= ((fromA & ~pastZ) & (0x80 * kEach)) >> 2;
    return true;
}

// from: the head of the characters from there on.
template <typename Result = Head, typename View>
Result headOf(const Parts<View> &parts, qsizetype from = 0)
{
    std::array<uchar, sizeof(Result)> packed{};
    size_t filled = 0;
    // The characters of text from its character skip on, folded, until the head is full or
    // a character from 255 on ends it; false when it ended.
    const auto pack = [&](auto text, qsizetype skip) {
        const auto *data = text.data();
        qsizetype i = qMax<qsizetype>(skip, 0);
        while (i < text.size() && filled < packed.size()) {
            if constexpr (std::is_same_v<decltype(text), QByteArrayView>) {
                if (i + 8 <= text.size() && filled + 8 <= packed.size()) {
                    quint64 word;
                    std::memcpy(&word, data + i, sizeof word);
                    if (asciiFolded(word)) {
                        std::memcpy(packed.data() + filled, &word, sizeof word);
                        i += 8;
                        filled += 8;
                        continue;
                    }
                }
            }
            const char16_t folded = foldedOf(data[i++]);
            packed[filled++] = uchar(qMin<char16_t>(folded, 0xFF));
            if (folded >= 0xFF)
                return false;
        }
        return true;
    };
    const qsizetype firstSize = parts.first.size();
    if (pack(parts.first, from) && parts.joined && filled < packed.size()) {
        if (from <= firstSize)
            packed[filled++] = uchar(' ');
        pack(parts.second, from - firstSize - 1);
    }
    Result head;
    for (size_t i = 0; i < head.size(); ++i)
        head[i] = qFromBigEndian<quint64>(packed.data() + 8 * i);
    return head;
}

// How many first characters a head holds whole: up to the first packed as 255 (which may
// stand for any character from 255 on).
template <size_t Words>
qsizetype wholeInHead(const HeadOf<Words> &head)
{
    constexpr quint64 kLow7 = 0x7F7F7F7F7F7F7F7F;
    for (size_t i = 0; i < head.size(); ++i) {
        // The bytes packed as 255 are those of ~word that are zero: each marked by its high bit.
        const quint64 inverted = ~head[i];
        const quint64 zeros = ~(((inverted & kLow7) + kLow7) | inverted | kLow7);
        if (zeros != 0)
            return qsizetype(8 * i + size_t(std::countl_zero(zeros)) / 8);
    }
    return qsizetype(sizeof(head));
}

// Entries whose folded texts are equal: their parts as they are.
template <typename View>
int compareParts(const Parts<View> &a, const Parts<View> &b)
{
    if (const int c = compareText(a.first, b.first); c != 0)
        return c;
    return compareText(a.second, b.second);
}

// The texts folded as they are read, then the parts; from: how many first characters are
// known to fold alike.
template <typename View>
int compareEntries(const Parts<View> &a, const Parts<View> &b, qsizetype from = 0)
{
    const qsizetype aLength = a.foldedLength();
    const qsizetype bLength = b.foldedLength();
    for (qsizetype i = from, common = qMin(aLength, bLength); i < common; ++i) {
        const char16_t ca = a.foldedAt(i);
        const char16_t cb = b.foldedAt(i);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (aLength != bLength)
        return aLength < bLength ? -1 : 1;
    return compareParts(a, b);
}

// The entries of count lines in list order, equal entries in the order of their lines, and
// for each whether it equals the one before it. partsOf(i) gives the entry of line i, none for
// a line the list leaves out.
//
// The entries sort on the heads of their first 56 characters, made in one pass over the lines
// in their order and compared with nothing else read: the sort of a long log needs 64 bytes a
// line beside the log and seldom goes back to a line, whose bytes lie anywhere in memory. Only
// the runs of entries whose heads are equal (the QSOs of one call sign on one band and mode,
// mostly) are then sorted on the lines' own texts from where the heads stop, folded as they
// are compared.
template <typename PartsOf>
std::pair<QList<qsizetype>, std::vector<bool>> sortedEntries(qsizetype count, PartsOf partsOf)
{
    constexpr qsizetype kHeadLength = qsizetype(sizeof(Head));
    constexpr qsizetype kNextLength = qsizetype(sizeof(NextHead));
    constexpr qsizetype kBothHeads = kHeadLength + kNextLength;
    struct Item {
        Head head;
        NextHead next; // the next characters', when head holds its characters whole
        qsizetype index;
    };
    // Each line's item at its place, on both cores; a line left out leaves an item without a
    // line, taken out after.
    std::vector<Item> items(static_cast<size_t>(count));
    std::array<bool, 2> leftOut{};
    onBothCores(count, [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            Item &item = items[size_t(i)];
            const auto parts = partsOf(i);
            if (!parts) {
                item.index = -1;
                leftOut[begin == 0 ? 0 : 1] = true;
                continue;
            }
            item.head = headOf(*parts);
            item.next = wholeInHead(item.head) == kHeadLength
                            ? headOf<NextHead>(*parts, kHeadLength)
                            : NextHead{};
            item.index = i;
        }
    });
    if (leftOut[0] || leftOut[1])
        items.erase(std::remove_if(items.begin(), items.end(),
                                   [](const Item &item) { return item.index < 0; }),
                    items.end());
    const auto compareHeadsOf = [](const Item &a, const Item &b) {
        if (const int c = compareHeads(a.head, b.head); c != 0)
            return c;
        return compareHeads(a.next, b.next);
    };
    sortOnBothCores(items.begin(), items.end(), [&](const Item &a, const Item &b) {
        const int c = compareHeadsOf(a, b);
        return c != 0 ? c < 0 : a.index < b.index;
    });

    // A run of entries in the order of their lines whose characters fold alike before from:
    // on the texts from there, and which equal the one before them.
    std::vector<bool> repeated(items.size(), false);
    const auto settle = [&](size_t begin, size_t end, qsizetype from) {
        const auto compare = [&](const Item &a, const Item &b) {
            return compareEntries(*partsOf(a.index), *partsOf(b.index), from);
        };
        stableSortRun(items.begin() + qsizetype(begin), items.begin() + qsizetype(end),
                      [&](const Item &a, const Item &b) { return compare(a, b) < 0; });
        for (size_t i = begin + 1; i < end; ++i)
            repeated[i] = compare(items[i], items[i - 1]) == 0;
    };
    // The lines of the runs are read again in the order of the list, those of the runs a few
    // places ahead fetched meanwhile: they lie anywhere in memory.
    constexpr size_t kAhead = 16;
    const auto inRun = [&](size_t i) {
        return (i > 0 && compareHeadsOf(items[i], items[i - 1]) == 0) ||
               (i + 1 < items.size() && compareHeadsOf(items[i], items[i + 1]) == 0);
    };
    size_t fetched = 0;
    const auto fetchUpTo = [&](size_t current) {
        fetched = qMax(fetched, current + 1);
        for (const size_t last = qMin(current + kAhead, items.size()); fetched < last; ++fetched) {
            if (!inRun(fetched))
                continue;
            const auto parts = partsOf(items[fetched].index);
            if (parts->first.size() > kBothHeads) {
                const auto *line = parts->first.data();
                __builtin_prefetch(line + kBothHeads);
                __builtin_prefetch(line + qMin(parts->first.size() - 1, kBothHeads + 63));
            }
        }
    };
    // A run of entries in the order of their lines whose characters fold alike before from:
    // on the heads of their next characters, each line read once; then each run of equal heads
    // the same way from where they stop. The heads go in next, which the run no longer needs
    // once it is found.
    std::function<void(size_t, size_t, qsizetype)> refine = [&](size_t begin, size_t end,
                                                                 qsizetype from) {
        // Lines alike so far are compared whole (a log written by hand may hold any line).
        constexpr qsizetype kHeadsAtMost = 256;
        if (from >= kHeadsAtMost || from >= partsOf(items[begin].index)->foldedLength()) {
            settle(begin, end, from);
            return;
        }
        for (size_t i = begin; i < end; ++i) {
            fetchUpTo(i);
            items[i].next = headOf<NextHead>(*partsOf(items[i].index), from);
        }
        std::sort(items.begin() + qsizetype(begin), items.begin() + qsizetype(end),
                  [](const Item &a, const Item &b) {
                      const int c = compareHeads(a.next, b.next);
                      return c != 0 ? c < 0 : a.index < b.index;
                  });
        for (size_t runBegin = begin, runEnd = begin; runBegin < end; runBegin = runEnd) {
            runEnd = runBegin + 1;
            while (runEnd < end && compareHeads(items[runEnd].next, items[runBegin].next) == 0)
                ++runEnd;
            if (runEnd - runBegin == 1)
                continue;
            const qsizetype whole = wholeInHead(items[runBegin].next);
            if (whole == kNextLength)
                refine(runBegin, runEnd, from + kNextLength);
            else
                settle(runBegin, runEnd, from + whole);
        }
    };

    // Each run of equal heads: on the texts when its heads stop before their end, else (one
    // call sign's QSOs on one band and mode, mostly) on the heads of its next characters.
    for (size_t begin = 0, end = 0; begin < items.size(); begin = end) {
        end = begin + 1;
        while (end < items.size() && compareHeadsOf(items[end], items[begin]) == 0)
            ++end;
        if (end - begin == 1)
            continue;
        const qsizetype whole = wholeInHead(items[begin].head);
        const qsizetype alike = whole < kHeadLength ? whole : kHeadLength + wholeInHead(items[begin].next);
        if (alike < kBothHeads) {
            settle(begin, end, alike);
            continue;
        }
        refine(begin, end, kBothHeads);
    }

    QList<qsizetype> order;
    order.reserve(qsizetype(items.size()));
    for (const Item &item : items)
        order.append(item.index);
    return {order, repeated};
}

// A file name never holds a folder separator or a character the systems refuse, whatever
// was typed as the date.
QString fileNameSafe(QString text)
{
    for (QChar &c : text) {
        if (QStringView(u"/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    return text;
}

} // namespace

QString logListEntry(int number, const QString &line)
{
    // Built in place: the lists hold one entry per QSO of logs that run to 100,000.
    QString entry;
    entry.reserve(kNumberWidth + 2 + line.size());
    const QString digits = QString::number(number);
    entry.fill(QLatin1Char(' '), qMax<qsizetype>(0, kNumberWidth - digits.size()));
    entry.append(QStringView(digits).left(kNumberWidth)).append(u"  ").append(line);
    return entry;
}

ListedLog::ListedLog(QByteArray bytes)
    : m_rows(LogRows::ofFile(std::move(bytes)))
{
}

ListedLog::ListedLog(LogRows rows)
    : m_rows(std::move(rows))
{
}

void ListedLog::readLine(qsizetype row, QString &text) const
{
    decodeWindows1252(rowBytes(row), text);
}

int ListedLog::operatorCount() const
{
    QSet<QByteArrayView> seen;
    for (qsizetype row = 0; row < size(); ++row) {
        if (const QByteArrayView call = trimmedColumn(rowBytes(row), qsocol::kCall); !call.isEmpty())
            seen.insert(call);
    }
    return static_cast<int>(seen.size());
}

QStringList logListEntries(const QStringList &lines)
{
    QStringList entries;
    entries.reserve(lines.size());
    int number = 1;
    for (const QString &line : lines)
        entries.append(logListEntry(number++, line));
    return entries;
}

namespace {

// Call sign first, then the rest of the line, then the date and time.
QStringView alphaFirstPart(QStringView line)
{
    return line.mid(kCallStart);
}
QStringView alphaSecondPart(QStringView line)
{
    return line.left(kCallStart);
}

// The row before which entry goes among count sorted entries (after those equal to it), and
// whether the entry before that row equals it.
template <typename View, typename EntryAt>
std::pair<qsizetype, bool> placeAmong(const Parts<View> &entry, qsizetype count, EntryAt entryAt)
{
    // A few comparisons only: on the whole folded texts.
    const auto compareAt = [&](qsizetype at) { return compareEntries(entry, entryAt(at)); };
    qsizetype low = 0;
    qsizetype high = count;
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (compareAt(middle) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return {low, low > 0 && compareAt(low - 1) == 0};
}

} // namespace

namespace {

QList<qsizetype> withoutRepeats(const QList<qsizetype> &sorted, const std::vector<bool> &repeated)
{
    QList<qsizetype> order;
    order.reserve(sorted.size());
    for (qsizetype i = 0; i < sorted.size(); ++i) {
        if (!repeated[size_t(i)])
            order.append(sorted.at(i));
    }
    return order;
}

} // namespace

QList<qsizetype> alphaListOrder(const QStringList &lines)
{
    const auto [sorted, repeated] = sortedEntries(lines.size(), [&](qsizetype i) {
        const QStringView line = lines.at(i);
        return std::optional<EntryParts>({alphaFirstPart(line), alphaSecondPart(line), true});
    });
    return withoutRepeats(sorted, repeated);
}

namespace {

// A stored line as the alphanumeric log sorts it: call sign first, then the rest.
StoredParts alphaParts(QByteArrayView line)
{
    const qsizetype callStart = qMin<qsizetype>(kCallStart, line.size());
    return {line.sliced(callStart), line.first(callStart), true};
}

template <typename Rows>
QList<qsizetype> alphaOrderOfRows(const Rows &rows)
{
    const auto [sorted, repeated] = sortedEntries(rows.size(), [&](qsizetype row) {
        return std::optional<StoredParts>(alphaParts(rows.rowBytes(row)));
    });
    return withoutRepeats(sorted, repeated);
}

} // namespace

QList<qsizetype> alphaListOrder(const CurrentLog &log)
{
    return alphaOrderOfRows(log);
}

QList<qsizetype> alphaListOrder(const LogRows &rows)
{
    return alphaOrderOfRows(rows);
}

QList<qsizetype> alphaListOrder(const ListedLog &log)
{
    return alphaOrderOfRows(log);
}

qsizetype alphaListPlace(const CurrentLog &log, const QList<qsizetype> &order, qsizetype added)
{
    const StoredParts entry = alphaParts(log.rowBytes(added));
    const auto [row, listed] = placeAmong(entry, order.size(), [&](qsizetype at) {
        return alphaParts(log.rowBytes(order.at(at)));
    });
    return listed ? -1 : row;
}

qsizetype alphaListPlace(const QStringList &lines, const QList<qsizetype> &order,
                         const QString &added)
{
    const EntryParts entry{alphaFirstPart(added), alphaSecondPart(added), true};
    const auto [row, listed] = placeAmong(entry, order.size(), [&](qsizetype at) {
        const QStringView line = lines.at(order.at(at));
        return EntryParts{alphaFirstPart(line), alphaSecondPart(line), true};
    });
    return listed ? -1 : row;
}

qsizetype operatorListPlace(const QStringList &calls, const QString &addedLine)
{
    const QStringView call = qsoField(addedLine, qsocol::kCall);
    if (call.isEmpty())
        return -1;
    const auto [row, listed] = placeAmong(EntryParts{call, {}, false}, calls.size(),
                                          [&](qsizetype at) { return EntryParts{calls.at(at), {}, false}; });
    return listed ? -1 : row;
}

QStringList alphaListEntries(const QStringList &lines)
{
    const QList<qsizetype> order = alphaListOrder(lines);
    QStringList entries;
    entries.reserve(order.size());
    int number = 1;
    for (const qsizetype index : order)
        entries.append(logListEntry(number++, lines.at(index)));
    return entries;
}

namespace {

// The distinct non-empty call signs among count, in the listing order.
template <typename CallAt>
QStringList sortedDistinctCalls(qsizetype count, CallAt callAt)
{
    const QList<qsizetype> sorted =
        sortedEntries(count, [&](qsizetype i) -> std::optional<EntryParts> {
            const QStringView call = callAt(i);
            if (call.isEmpty())
                return std::nullopt;
            return EntryParts{call, {}, false};
        }).first;
    QStringList calls;
    for (const qsizetype index : sorted) {
        const QStringView call = callAt(index);
        if (calls.isEmpty() || calls.constLast() != call)
            calls.append(call.toString());
    }
    return calls;
}

} // namespace

QStringList operatorList(const QStringList &lines)
{
    return sortedDistinctCalls(lines.size(),
                               [&](qsizetype i) { return qsoField(lines.at(i), qsocol::kCall); });
}

QStringList operatorList(const ListedLog &log)
{
    // Each call sign is made text once.
    QSet<QByteArrayView> seen;
    QStringList calls;
    for (qsizetype row = 0; row < log.size(); ++row) {
        const QByteArrayView call = trimmedColumn(log.rowBytes(row), qsocol::kCall);
        if (!call.isEmpty() && !seen.contains(call)) {
            seen.insert(call);
            calls.append(decodeWindows1252(call));
        }
    }
    return operatorListOfCalls(calls);
}

QStringList operatorListOfCalls(const QStringList &calls)
{
    return sortedDistinctCalls(calls.size(), [&](qsizetype i) { return QStringView(calls.at(i)); });
}

QString listColumnHeader()
{
    return QStringLiteral("   N°      Date      QTR   Indicatif          Dpt   Prenom      RST R "
                          "   E   Mode    Bande    Observations");
}

QList<ColumnTitle> listColumnTitles()
{
    // The number, two blanks, then the log line.
    return qsoListTitles(kNumberWidth, kNumberWidth + 3, QStringLiteral("QTR"));
}

QString logWindowTitle(const QStringList &openReferences)
{
    return QStringLiteral("Log activité ") + referencesText(openReferences);
}

QString alphaWindowTitle(const QStringList &openReferences)
{
    return QStringLiteral("Log alphanumérique activité ") + referencesText(openReferences);
}

QString operatorCountText(int count)
{
    return numberText(count) + QStringLiteral(" opérateurs");
}

QString creditLine()
{
    return QStringLiteral("Brivo Orvel Multi    Revision") + revisionText();
}

LogListingHeading logListingHeading(const QString &reference,
                                    const std::optional<Activation> &ownLine,
                                    const Activation &current)
{
    LogListingHeading heading;
    heading.reference = reference;
    if (ownLine) {
        heading.type = ownLine->type;
        heading.name = ownLine->name;
        heading.canton = ownLine->canton;
        heading.postalCode = ownLine->postalCode;
    }
    heading.date = current.date;
    heading.activator = current.activator;
    heading.commune = current.commune;
    return heading;
}

void writeLogListEntries(const ListedLog &log, const LineSink &put)
{
    QString line;
    for (qsizetype row = 0; row < log.size(); ++row) {
        log.readLine(row, line);
        put(logListEntry(int(row) + 1, line));
    }
}

void writeAlphaListEntries(const ListedLog &log, const QList<qsizetype> &order,
                           const LineSink &put)
{
    QString line;
    int number = 1;
    for (const qsizetype row : order) {
        log.readLine(row, line);
        put(logListEntry(number++, line));
    }
}

void writeLogListing(const LogListingHeading &heading, const ListedLog &log, int operatorCount,
                     const LineSink &put)
{
    put(blanks(7) + heading.type + QStringLiteral(" le ") + heading.date +
        QStringLiteral(" du ") + heading.reference + QStringLiteral(" le ") + heading.name +
        QStringLiteral(" par ") + heading.activator);
    put(QString());
    put(blanks(16) + QStringLiteral("N° du Canton ") + heading.canton +
        QStringLiteral("   Code Postal ") + heading.postalCode + QStringLiteral("    Commune ") +
        heading.commune);
    put(QString());
    put(QStringLiteral("      N°   Date      QTR   Indicatif     Dpt   Prenom     RST R  "
                       " E   Mode    Bande         Observations"));
    put(QString());
    QString line;
    QString printed;
    for (qsizetype row = 0; row < log.size(); ++row) {
        log.readLine(row, line);
        // 4 blanks, the number right-aligned in 5, a blank: the list entry's number moved.
        const QString digits = QString::number(row + 1);
        printed.fill(QLatin1Char(' '), 4 + qMax<qsizetype>(0, kNumberWidth - digits.size()));
        printed.append(digits).append(QLatin1Char(' ')).append(line);
        put(printed);
    }
    put(QString());
    put(countLine(operatorCount));
    put(QString());
    put(blanks(37) + creditLine());
}

void writeAlphaListing(const QString &reference, const std::optional<Activation> &ownLine,
                       const ListedLog &log, const QList<qsizetype> &order, int operatorCount,
                       const LineSink &put)
{
    const Activation a = ownLine.value_or(Activation{});
    put(blanks(9) + a.type + QStringLiteral(" du ") + reference + QStringLiteral(" le ") +
        a.name + QStringLiteral(" par ") + a.activator + QStringLiteral(" le ") + a.date);
    put(QString());
    put(blanks(19) + QStringLiteral("N° du Canton ") + a.canton +
        QStringLiteral("   Code Postal ") + a.postalCode + QStringLiteral("   Commune ") +
        a.commune);
    put(QString());
    put(QStringLiteral("   N°    Date     QTR   Indicatif     Dpt   Prenom     RST R   E "
                       "  Mode    Bande         Observations"));
    put(QString());
    writeAlphaListEntries(log, order, put);
    put(QString());
    put(countLine(operatorCount));
    put(QString());
    put(blanks(36) + creditLine());
}

QString logListingFileName(const QString &reference, const QDate &today)
{
    return reference + QLatin1Char('_') + today.toString(QStringLiteral("dd_MM_yy")) +
           QStringLiteral(".txt");
}

QString alphaListingFileName(const QString &reference, const QString &activationDate)
{
    const QString suffix = activationDate.left(2) + QLatin1Char('_') + activationDate.mid(3, 2) +
                           QLatin1Char('_') + activationDate.right(2);
    return reference + QLatin1Char('_') + fileNameSafe(suffix) + QStringLiteral(" Alpha.txt");
}

} // namespace orvel
