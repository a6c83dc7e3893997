#include "Listings.h"

#include "common/FixedColumns.h"
#include "help/Revision.h"
#include "records/QsoLine.h"

#include <algorithm>
#include <array>
#include <memory>

namespace orvel {

namespace {

constexpr int kNumberWidth = 5;
// Where the call sign starts: the alphanumeric log sorts on the line from there on.
constexpr int kCallStart = qsocol::kCall.first - 1;

char16_t foldedForListing(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    return QChar(c).toCaseFolded().unicode();
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

// An entry to sort: the text of one part, or of two parts joined by a blank, taken from the
// log's lines without a copy. Its folded text is made once, into room the caller gives (one
// buffer for a whole list): its first 16 characters, packed into two numbers, decide most
// comparisons at once, the whole folded text the others, and the parts as they are only
// entries that differ in letter case alone.
struct SortItem {
    static constexpr int kHeadCharacters = 16;
    std::array<quint64, kHeadCharacters / 8> head{};
    QStringView folded;
    QStringView first;
    QStringView second;
    qsizetype index = 0;

    static qsizetype foldedLength(QStringView firstPart, QStringView secondPart, bool joined)
    {
        return firstPart.size() + (joined ? 1 + secondPart.size() : 0);
    }

    // out has room for foldedLength() characters.
    SortItem(QStringView firstPart, QStringView secondPart, bool joined, qsizetype at,
             char16_t *out)
        : folded(out, foldedLength(firstPart, secondPart, joined))
        , first(firstPart)
        , second(secondPart)
        , index(at)
    {
        for (const QChar c : first)
            *out++ = foldedForListing(c.unicode());
        if (joined) {
            *out++ = u' ';
            for (const QChar c : second)
                *out++ = foldedForListing(c.unicode());
        }
        bool packing = true;
        for (int i = 0; i < kHeadCharacters; ++i) {
            char16_t c = packing && i < folded.size() ? folded.at(i).unicode() : 0;
            // From 255 on a character does not fit: it packs as 255 and ends the packing, so
            // that the folded texts decide between entries that reach it, in the same order.
            if (c >= 0xFF) {
                c = 0xFF;
                packing = false;
            }
            head[i / 8] = (head[i / 8] << 8) | c;
        }
    }
};

// An entry to sort with its folded text held by itself, to compare one entry with a list.
struct HeldSortItem {
    QString text;
    SortItem item;

    HeldSortItem(QStringView firstPart, QStringView secondPart, bool joined, qsizetype at)
        : text(SortItem::foldedLength(firstPart, secondPart, joined), Qt::Uninitialized)
        , item(firstPart, secondPart, joined, at, reinterpret_cast<char16_t *>(text.data()))
    {
    }
};

// The folded texts of a list of entries, side by side.
class FoldedTexts
{
public:
    explicit FoldedTexts(qsizetype length)
        : m_text(new char16_t[size_t(qMax<qsizetype>(length, 1))])
        , m_free(m_text.get())
    {
    }
    // Room for the folded text of the next entry.
    char16_t *take(qsizetype length)
    {
        char16_t *room = m_free;
        m_free += length;
        return room;
    }

private:
    std::unique_ptr<char16_t[]> m_text;
    char16_t *m_free;
};

// Equal folded texts have equal lengths, and so have their first parts: the parts compare
// one after the other.
int compareItems(const SortItem &a, const SortItem &b)
{
    if (a.head != b.head)
        return a.head < b.head ? -1 : 1;
    if (const int c = a.folded.compare(b.folded); c != 0)
        return c;
    if (const int c = a.first.compare(b.first); c != 0)
        return c;
    return a.second.compare(b.second);
}

void sortItems(QList<SortItem> &items)
{
    std::stable_sort(items.begin(), items.end(),
                     [](const SortItem &a, const SortItem &b) { return compareItems(a, b) < 0; });
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

// The row before which item goes among count sorted entries (after those equal to it), and
// whether the entry before that row equals it.
template <typename EntryAt>
std::pair<qsizetype, bool> placeAmong(const SortItem &item, qsizetype count, EntryAt entryAt)
{
    qsizetype low = 0;
    qsizetype high = count;
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (compareItems(item, entryAt(middle).item) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return {low, low > 0 && compareItems(item, entryAt(low - 1).item) == 0};
}

} // namespace

QList<qsizetype> alphaListOrder(const QStringList &lines)
{
    qsizetype length = 0;
    for (const QString &line : lines)
        length += SortItem::foldedLength(alphaFirstPart(line), alphaSecondPart(line), true);
    FoldedTexts folded(length);
    QList<SortItem> items;
    items.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView first = alphaFirstPart(lines.at(i));
        const QStringView second = alphaSecondPart(lines.at(i));
        items.append(SortItem(first, second, true, i,
                              folded.take(SortItem::foldedLength(first, second, true))));
    }
    sortItems(items);
    QList<qsizetype> order;
    order.reserve(items.size());
    const SortItem *previous = nullptr;
    for (const SortItem &item : std::as_const(items)) {
        if (previous && compareItems(item, *previous) == 0)
            continue;
        order.append(item.index);
        previous = &item;
    }
    return order;
}

qsizetype alphaListPlace(const QStringList &lines, const QList<qsizetype> &order,
                         const QString &added)
{
    const HeldSortItem item(alphaFirstPart(added), alphaSecondPart(added), true, lines.size());
    const auto [row, listed] = placeAmong(item.item, order.size(), [&](qsizetype at) {
        const QStringView line = lines.at(order.at(at));
        return HeldSortItem(alphaFirstPart(line), alphaSecondPart(line), true, order.at(at));
    });
    return listed ? -1 : row;
}

qsizetype operatorListPlace(const QStringList &calls, const QString &addedLine)
{
    const QStringView call = qsoField(addedLine, qsocol::kCall);
    if (call.isEmpty())
        return -1;
    const HeldSortItem item(call, {}, false, 0);
    const auto [row, listed] = placeAmong(item.item, calls.size(), [&](qsizetype at) {
        return HeldSortItem(calls.at(at), {}, false, 0);
    });
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

QStringList operatorList(const QStringList &lines)
{
    qsizetype length = 0;
    for (const QString &line : lines)
        length += qsoField(line, qsocol::kCall).size();
    FoldedTexts folded(length);
    QList<SortItem> items;
    items.reserve(lines.size());
    for (const QString &line : lines) {
        const QStringView call = qsoField(line, qsocol::kCall);
        if (!call.isEmpty())
            items.append(SortItem(call, {}, false, 0, folded.take(call.size())));
    }
    sortItems(items);
    QStringList calls;
    for (const SortItem &item : std::as_const(items)) {
        if (calls.isEmpty() || calls.constLast() != item.first)
            calls.append(item.first.toString());
    }
    return calls;
}

QString listColumnHeader()
{
    return QStringLiteral("   N°      Date      QTR   Indicatif          Dpt   Prenom      RST R "
                          "   E   Mode    Bande    Observations");
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

QStringList logListing(const LogListingHeading &heading, const QStringList &lines,
                       int operatorCount)
{
    QStringList listing;
    listing.reserve(lines.size() + 10);
    listing << blanks(7) + heading.type + QStringLiteral(" le ") + heading.date +
                   QStringLiteral(" du ") + heading.reference + QStringLiteral(" le ") +
                   heading.name + QStringLiteral(" par ") + heading.activator
            << QString()
            << blanks(16) + QStringLiteral("N° du Canton ") + heading.canton +
                   QStringLiteral("   Code Postal ") + heading.postalCode +
                   QStringLiteral("    Commune ") + heading.commune
            << QString()
            << QStringLiteral("      N°   Date      QTR   Indicatif     Dpt   Prenom     RST R  "
                              " E   Mode    Bande         Observations")
            << QString();
    int number = 1;
    for (const QString &line : lines) {
        // 4 blanks, the number right-aligned in 5, a blank: the list entry's number moved.
        QString printed;
        printed.reserve(10 + line.size());
        const QString digits = QString::number(number++);
        printed.fill(QLatin1Char(' '), 4 + qMax<qsizetype>(0, kNumberWidth - digits.size()));
        printed.append(digits).append(QLatin1Char(' ')).append(line);
        listing << printed;
    }
    listing << QString() << countLine(operatorCount) << QString() << blanks(37) + creditLine();
    return listing;
}

QStringList alphaListing(const QString &reference, const std::optional<Activation> &ownLine,
                         const QStringList &alphaEntries, int operatorCount)
{
    const Activation a = ownLine.value_or(Activation{});
    QStringList listing;
    listing.reserve(alphaEntries.size() + 10);
    listing << blanks(9) + a.type + QStringLiteral(" du ") + reference + QStringLiteral(" le ") +
                   a.name + QStringLiteral(" par ") + a.activator + QStringLiteral(" le ") + a.date
            << QString()
            << blanks(19) + QStringLiteral("N° du Canton ") + a.canton +
                   QStringLiteral("   Code Postal ") + a.postalCode +
                   QStringLiteral("   Commune ") + a.commune
            << QString()
            << QStringLiteral("   N°    Date     QTR   Indicatif     Dpt   Prenom     RST R   E "
                              "  Mode    Bande         Observations")
            << QString();
    listing << alphaEntries;
    listing << QString() << countLine(operatorCount) << QString() << blanks(36) + creditLine();
    return listing;
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
