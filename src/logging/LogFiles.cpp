#include "LogFiles.h"

#include "common/DateTimeText.h"
#include "common/ReferenceName.h"

#include <QFileInfo>

namespace orvel {

QString LogWriteResult::message() const
{
    if (ok())
        return {};
    QString text = failedReferences.size() == 1
                       ? QStringLiteral("Le QSO n'a pas pu être enregistré dans le log %1")
                             .arg(failedReferences.first())
                       : QStringLiteral("Le QSO n'a pas pu être enregistré dans les logs %1")
                             .arg(failedReferences.join(QStringLiteral(", ")));
    if (!errors.isEmpty())
        text += QLatin1Char('\n') + errors.join(QLatin1Char('\n'));
    return text;
}

LogFiles::LogFiles(QString folder)
    : m_folder(std::move(folder))
{
}

QString LogFiles::path(const QString &reference) const
{
    return referenceFilePath(m_folder, reference, QStringLiteral(".txt"));
}

QStringList LogFiles::load(const QString &reference) const
{
    return readLines(path(reference));
}

bool LogFiles::exists(const QString &reference) const
{
    return QFileInfo::exists(path(reference));
}

FileResult LogFiles::createEmpty(const QString &reference) const
{
    return createEmptyFile(path(reference));
}

LogWriteResult LogFiles::append(const QStringList &references, const QString &line) const
{
    LogWriteResult result;
    for (const QString &reference : references) {
        const FileResult written = appendLines(path(reference), {line});
        if (!written)
            result.fail(reference, written.error);
    }
    return result;
}

LogWriteResult LogFiles::replace(const QStringList &references, const QString &newLine,
                                 const QString &oldLine) const
{
    LogWriteResult result;
    for (const QString &reference : references) {
        QStringList lines;
        if (const FileResult read = readLinesForRewrite(path(reference), lines); !read) {
            result.fail(reference, read.error);
            continue;
        }
        bool changed = false;
        for (QString &existing : lines) {
            if (existing == oldLine) {
                existing = newLine;
                changed = true;
            }
        }
        if (!changed) {
            result.unchangedReferences.append(reference);
            continue;
        }
        const FileResult written = rewrite(reference, lines);
        if (!written)
            result.fail(reference, written.error);
    }
    return result;
}

qsizetype insertionIndex(const QStringList &lines, const QString &newLine)
{
    const auto moment = lineOrderKey(newLine);
    if (!moment)
        return lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto existing = lineOrderKey(lines.at(i));
        if (existing && *existing >= *moment)
            return i;
    }
    return lines.size();
}

LogWriteResult LogFiles::insert(const QStringList &references, const QString &line) const
{
    LogWriteResult result;
    for (const QString &reference : references) {
        QStringList lines;
        if (const FileResult read = readLinesForRewrite(path(reference), lines); !read) {
            result.fail(reference, read.error);
            continue;
        }
        lines.insert(insertionIndex(lines, line), line);
        const FileResult written = rewrite(reference, lines);
        if (!written)
            result.fail(reference, written.error);
    }
    return result;
}

FileResult LogFiles::rewrite(const QString &reference, const QStringList &lines) const
{
    return replaceFile(path(reference), lines);
}

} // namespace orvel
