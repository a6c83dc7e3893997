#include "QsoSearch.h"

#include "records/CurrentLog.h"
#include "records/QsoLine.h"

namespace orvel {

namespace {

constexpr int kComparedLength = 134;

QString emptyKeyMessage(SearchOption option)
{
    switch (option) {
    case SearchOption::Call:
        return QStringLiteral("Entrez un indicatif");
    case SearchOption::Date:
        return QStringLiteral("Entrez une date");
    case SearchOption::Department:
        break;
    }
    return QStringLiteral("Entrez un departement");
}

bool matches(const QString &line, SearchOption option, const QString &key)
{
    switch (option) {
    case SearchOption::Call:
        return qsoField(line, qsocol::kCall).contains(key);
    case SearchOption::Date:
        return qsoField(line, qsocol::kDate) == key;
    case SearchOption::Department:
        break;
    }
    return rawColumn(line, qsocol::kDepartment) == key;
}

} // namespace

KeyCheck checkSearchKey(SearchOption box, const QString &text)
{
    switch (box) {
    case SearchOption::Call:
        if (text.size() >= 13)
            return {QStringLiteral("Attention 12 caracteres maxi pour l'indicatif")};
        if (text.isEmpty())
            return {emptyKeyMessage(box), true};
        return {};
    case SearchOption::Date: {
        // The form is judged on the separators alone: one in place is enough.
        const auto slashAt = [&text](int i) { return text.size() > i && text.at(i) == u'/'; };
        if (!slashAt(2) && !slashAt(5))
            return {QStringLiteral("Attention le format date doit etre JJ/MM/AA")};
        if (text.size() >= 9)
            return {QStringLiteral("Attention 8 caracteres maxi pour la date (format jj/mm/aa)")};
        return {};
    }
    case SearchOption::Department:
        break;
    }
    if (text.size() >= 3)
        return {QStringLiteral("Attention 2 caracteres maxi pour le departement")};
    if (text.isEmpty())
        return {emptyKeyMessage(box), true};
    return {};
}

QString callKeyCapitals(const QString &typed)
{
    QString text = typed;
    for (QChar &c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return text;
}

QString withoutLeadingLineBreak(const QString &text)
{
    return text.startsWith(QLatin1String("\r\n")) ? text.mid(2) : text;
}

namespace {

// The search over count lines, each read by lineAt(i, text) into text, whose room is reused
// from one line to the next: a pass over a long log makes no text per line.
template <typename LineAt>
SearchOutcome searchLines(qsizetype count, LineAt lineAt, SearchOption option, const QString &key)
{
    SearchOutcome outcome;
    if (key.isEmpty()) {
        outcome.message = emptyKeyMessage(option);
        outcome.stopped = true;
        outcome.emptyCallBox = option == SearchOption::Call;
        return outcome;
    }
    const QString compared = option == SearchOption::Department ? key : key.toUpper();
    QString line;
    for (qsizetype i = 0; i < count; ++i) {
        lineAt(i, line);
        if (matches(line, option, compared)) {
            outcome.entries.append(listEntry(int(i) + 1, line));
            outcome.rows.append(int(i));
        }
    }
    if (outcome.entries.isEmpty())
        outcome.message = QStringLiteral("Pas de QSO trouvé");
    return outcome;
}

template <typename LineAt>
int rowOfResult(qsizetype count, LineAt lineAt, const QString &chosenEntry)
{
    const QStringView chosen = QStringView(chosenEntry).left(kComparedLength);
    QString line;
    for (qsizetype i = count - 1; i >= 0; --i) {
        lineAt(i, line);
        if (QStringView(listEntry(int(i) + 1, line)).left(kComparedLength) == chosen)
            return int(i);
    }
    return -1;
}

auto linesOf(const CurrentLog &log)
{
    return [&log](qsizetype i, QString &text) { log.readLine(i, text); };
}

} // namespace

SearchOutcome searchQsos(const CurrentLog &log, SearchOption option, const QString &key)
{
    return searchLines(log.size(), linesOf(log), option, key);
}

int rowOfSearchResult(const CurrentLog &log, const QString &chosenEntry)
{
    return rowOfResult(log.size(), linesOf(log), chosenEntry);
}

QString foundCountText(int found)
{
    return QStringLiteral("%1 QSO trouvé(s)").arg(found);
}

} // namespace orvel
