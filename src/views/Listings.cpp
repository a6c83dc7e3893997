#include "Listings.h"

#include "common/FixedColumns.h"
#include "help/Revision.h"
#include "records/QsoLine.h"

#include <algorithm>

namespace orvel {

namespace {

constexpr int kNumberWidth = 5;
// Where the call sign starts: the alphanumeric log sorts on the line from there on.
constexpr int kCallStart = qsocol::kCall.first - 1;

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

// An entry to sort, with its key folded once rather than at every comparison.
struct SortItem {
    QString folded;
    QString key;
    qsizetype index;
};

void sortItems(QList<SortItem> &items)
{
    std::stable_sort(items.begin(), items.end(), [](const SortItem &a, const SortItem &b) {
        if (const int c = a.folded.compare(b.folded); c != 0)
            return c < 0;
        return a.key < b.key;
    });
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

bool listingLess(const QString &a, const QString &b)
{
    if (const int c = a.compare(b, Qt::CaseInsensitive); c != 0)
        return c < 0;
    return a < b;
}

QString logListEntry(int number, const QString &line)
{
    return alignRight(QString::number(number), kNumberWidth) + QStringLiteral("  ") + line;
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

QStringList alphaListEntries(const QStringList &lines)
{
    QList<SortItem> items;
    items.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // Call sign first, then the rest of the line, then the date and time.
        QString key = line.mid(kCallStart) + QLatin1Char(' ') + line.left(kCallStart);
        items.append({key.toCaseFolded(), key, i});
    }
    sortItems(items);
    QStringList entries;
    entries.reserve(items.size());
    const QString *previous = nullptr;
    int number = 1;
    for (const SortItem &item : std::as_const(items)) {
        if (previous && item.key == *previous)
            continue;
        entries.append(logListEntry(number++, lines.at(item.index)));
        previous = &item.key;
    }
    return entries;
}

QStringList operatorList(const QStringList &lines)
{
    QList<SortItem> items;
    items.reserve(lines.size());
    for (const QString &line : lines) {
        const QString call = qsoField(line, qsocol::kCall).toString();
        if (!call.isEmpty())
            items.append({call.toCaseFolded(), call, 0});
    }
    sortItems(items);
    QStringList calls;
    for (const SortItem &item : std::as_const(items)) {
        if (calls.isEmpty() || calls.constLast() != item.key)
            calls.append(item.key);
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
    for (const QString &line : lines)
        listing << blanks(4) + alignRight(QString::number(number++), kNumberWidth) +
                       QLatin1Char(' ') + line;
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
