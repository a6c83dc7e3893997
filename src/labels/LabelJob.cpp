#include "LabelJob.h"

#include "common/FixedColumns.h"

#include <algorithm>

namespace orvel {

std::optional<QString> ActivationChoice::first() const
{
    if (selectedRows.isEmpty())
        return std::nullopt;
    return references.value(*std::min_element(selectedRows.cbegin(), selectedRows.cend()));
}

std::optional<QString> ActivationChoice::second() const
{
    if (perLabel != 2)
        return std::nullopt;
    if (selectedRows.isEmpty())
        return QString();
    return references.value(*std::max_element(selectedRows.cbegin(), selectedRows.cend()));
}

QString ActivationChoice::refusal() const
{
    const qsizetype count = selectedRows.size();
    if (perLabel == 1 && count != 1)
        return kOneActivationRefusal;
    if (perLabel == 2 && count != 2)
        return kTwoActivationsRefusal;
    return {};
}

void ActivationChoice::setSelected(int row, bool selected)
{
    selectedRows.removeAll(row);
    if (selected)
        selectedRows.append(row);
}

LabelJob::LabelJob(std::shared_ptr<RememberedActivations> remembered)
    : m_remembered(std::move(remembered))
{
}

void LabelJob::addLogLines(const QStringList &logLines)
{
    QStringList entries;
    entries.reserve(logLines.size());
    for (const QString &line : logLines)
        entries.append(selectionEntry(line));
    sortEntries(entries);
    m_available.mergeSorted(entries);
}

void LabelJob::setAvailable(QStringList sortedEntries, QList<qsizetype> logRows)
{
    m_available.resetSorted(std::move(sortedEntries), std::move(logRows));
}

void LabelJob::setChosen(QStringList sortedEntries, QList<qsizetype> logRows)
{
    m_chosen.resetSorted(std::move(sortedEntries), std::move(logRows));
}

void LabelJob::setLists(const std::shared_ptr<const LogRows> &rows, SelectionLists lists)
{
    m_available.resetRows(rows, std::move(lists.availableRows));
    m_chosen.resetRows(rows, std::move(lists.chosenRows));
}

void LabelJob::choose(int availableRow)
{
    const SelectionItem item = m_available.take(availableRow);
    if (!item.entry.isNull())
        m_chosen.insertSorted(item.entry, item.logRow);
}

void LabelJob::giveBack(int chosenRow)
{
    const SelectionItem item = m_chosen.take(chosenRow);
    if (!item.entry.isNull())
        m_available.insertSorted(item.entry, item.logRow);
}

void LabelJob::chooseAll()
{
    m_chosen.mergeSorted(m_available.takeAll());
}

void LabelJob::followInserted(qsizetype first, qsizetype count)
{
    m_available.followInserted(first, count);
    m_chosen.followInserted(first, count);
}

void LabelJob::followRemoved(qsizetype first, qsizetype last)
{
    m_available.followRemoved(first, last);
    m_chosen.followRemoved(first, last);
}

LabelRunInput LabelJob::runInput(const SheetSetup &setup, const QStringList &activationListLines,
                                 const QString &activator)
{
    const std::optional<QString> second = m_activations.second();
    m_remembered->lookUp(activationListLines, m_activations.first().value_or(QString()), second);
    LabelRunInput input;
    input.entries = m_chosen.entries();
    input.first = m_remembered->first();
    if (second)
        input.second = m_remembered->second();
    input.activator = trimBlanks(activator);
    input.station = {trimBlanks(setup.station.transceiver), trimBlanks(setup.station.antenna)};
    input.language = setup.language;
    input.format = setup.format;
    input.pauseEachSheet = setup.pauseEachSheet;
    input.offsetX = setup.offset.x;
    input.offsetY = setup.offset.y;
    return input;
}

} // namespace orvel
