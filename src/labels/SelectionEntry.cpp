#include "SelectionEntry.h"

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

LabelQso labelQsoOfEntry(QStringView entry)
{
    const auto field = [entry](const LineColumn &column) {
        return trimmedColumn(entry, column).toString();
    };
    return {field(selcol::kCall), field(selcol::kDepartment), field(selcol::kRst),
            field(selcol::kMode), field(selcol::kBand),       field(selcol::kDate),
            field(selcol::kTime)};
}

bool entryLess(const QString &a, const QString &b)
{
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace orvel
