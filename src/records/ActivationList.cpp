#include "ActivationList.h"

#include "common/FixedColumns.h"

namespace orvel {

ActivationList::ActivationList(QString folder)
    : m_folder(std::move(folder))
{
}

QString ActivationList::path() const
{
    return dataFilePath(m_folder, kActivationListFile);
}

QStringList ActivationList::lines() const
{
    return readLines(path());
}

namespace {
QList<ListEntry> entriesOf(const QStringList &all)
{
    QList<ListEntry> entries;
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all.at(i) == kGroupMarker) {
            ++i; // its count line
            continue;
        }
        entries.append({referenceOfLine(all.at(i)), i});
    }
    return entries;
}
} // namespace

QStringList ActivationList::references() const
{
    QStringList references;
    for (const ListEntry &entry : entries())
        references.append(entry.reference);
    return references;
}

QList<ListEntry> ActivationList::entries() const
{
    return entriesOf(lines());
}

qsizetype ActivationList::lastLineOf(const QString &reference) const
{
    const QList<ListEntry> all = entries();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (it->reference == reference)
            return it->line;
    }
    return -1;
}

std::optional<Activation> ActivationList::find(const QString &reference) const
{
    // Marker and count lines are never activations.
    const QStringList all = lines();
    std::optional<Activation> found;
    for (const ListEntry &entry : entriesOf(all)) {
        if (entry.reference == reference)
            found = parseActivationLine(all.at(entry.line));
    }
    return found;
}

bool ActivationList::exists(const QString &reference) const
{
    return lastLineOf(reference) >= 0;
}

FileResult ActivationList::registerLine(const QString &line)
{
    QStringList all;
    if (const FileResult read = readLinesForRewrite(path(), all); !read)
        return read;
    const QString key = line.left(actcol::kRegistrationKeyLength);
    bool placed = false;
    for (QString &existing : all) {
        if (existing.left(actcol::kRegistrationKeyLength) == key) {
            existing = line;
            placed = true;
        }
    }
    if (!placed)
        all.append(line);
    return replaceFile(path(), all);
}

GroupLookup ActivationList::groupAt(const QStringList &all, qsizetype index)
{
    GroupLookup result;
    if (index < 0 || index >= all.size() || all.at(index) == kGroupMarker ||
        (index > 0 && all.at(index - 1) == kGroupMarker))
        return result;
    result.found = true;

    // The block starts after the count line of the block before it.
    qsizetype start = 0;
    for (qsizetype k = index - 1; k >= 0; --k) {
        if (all.at(k) == kGroupMarker) {
            start = k + 2;
            break;
        }
    }
    qsizetype marker = index;
    while (marker < all.size() && all.at(marker) != kGroupMarker)
        ++marker;
    for (qsizetype k = start; k < marker; ++k)
        result.workingList.append(referenceOfLine(all.at(k)));
    if (marker >= all.size())
        return result; // block not closed yet

    bool numberOk = false;
    const int counted =
        marker + 1 < all.size() ? trimBlanks(all.at(marker + 1)).toInt(&numberOk) : 0;
    if (!numberOk || counted <= 0)
        return result;
    // The group is the counted lines directly above the marker, never the marker or count line
    // of the block before; a line standing above them was registered outside the group.
    const qsizetype first = std::max(start, marker - counted);
    if (index < first)
        return result;
    result.closed = true;
    result.count = int(marker - index);
    for (qsizetype k = first; k < marker; ++k)
        result.openReferences.append(referenceOfLine(all.at(k)));
    return result;
}

GroupLookup ActivationList::openGroupAt(const QStringList &all, qsizetype lineIndex)
{
    GroupLookup group = groupAt(all, lineIndex);
    if (group.openReferences.isEmpty() && group.found)
        group.openReferences = {referenceOfLine(all.at(lineIndex))};
    return group;
}

GroupLookup ActivationList::openGroupAt(qsizetype lineIndex) const
{
    return openGroupAt(lines(), lineIndex);
}

FileResult ActivationList::appendLine(const QString &line)
{
    return appendLines(path(), {line});
}

FileResult ActivationList::closeGroup(int count)
{
    return appendLines(path(), {kGroupMarker, QString::number(count)});
}

} // namespace orvel
