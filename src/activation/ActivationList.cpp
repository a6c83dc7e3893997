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

QStringList ActivationList::references() const
{
    QStringList references;
    const QStringList all = lines();
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all.at(i) == kGroupMarker) {
            ++i; // its count line
            continue;
        }
        references.append(referenceOfLine(all.at(i)));
    }
    return references;
}

std::optional<Activation> ActivationList::find(const QString &reference) const
{
    std::optional<Activation> found;
    for (const QString &line : lines()) {
        if (referenceOfLine(line) == reference)
            found = parseActivationLine(line);
    }
    return found;
}

bool ActivationList::exists(const QString &reference) const
{
    const QStringList all = lines();
    for (const QString &line : all) {
        if (referenceOfLine(line) == reference)
            return true;
    }
    return false;
}

FileResult ActivationList::registerLine(const QString &line)
{
    QStringList all = lines();
    const QString key = line.left(60);
    bool placed = false;
    for (QString &existing : all) {
        if (existing.left(60) == key) {
            existing = line;
            placed = true;
        }
    }
    if (!placed)
        all.append(line);
    return replaceFile(path(), dataFilePath(m_folder, kScratchFile), all);
}

GroupLookup ActivationList::lookupGroup(const QString &reference) const
{
    GroupLookup result;
    const QStringList all = lines();
    QStringList seen; // every reference column before the group, then the group itself
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (referenceOfLine(all.at(i)) != reference) {
            seen.append(referenceOfLine(all.at(i)));
            continue;
        }
        result.found = true;
        int lineCount = 0;
        qsizetype j = i;
        for (; j < all.size() && all.at(j) != kGroupMarker; ++j) {
            seen.append(referenceOfLine(all.at(j)));
            ++lineCount;
        }
        if (j >= all.size())
            return result; // block not closed yet: nothing opens
        result.closed = true;
        result.count = lineCount;
        bool numberOk = false;
        const int blockSize = j + 1 < all.size() ? trimBlanks(all.at(j + 1)).toInt(&numberOk) : 0;
        const int taken = numberOk ? std::max(0, std::min<int>(blockSize, seen.size())) : 0;
        result.openReferences = seen.mid(seen.size() - taken);
        return result;
    }
    return result;
}

QStringList ActivationList::openGroup(const QString &reference) const
{
    const GroupLookup group = lookupGroup(reference);
    if (!group.openReferences.isEmpty())
        return group.openReferences;
    return group.found ? QStringList{reference} : QStringList{};
}

FileResult ActivationList::closeGroup(int count)
{
    return appendLines(path(), {kGroupMarker, QString::number(count)});
}

} // namespace orvel
