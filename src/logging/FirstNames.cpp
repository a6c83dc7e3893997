#include "FirstNames.h"

#include "QsoLine.h"
#include "common/FixedColumns.h"
#include "platform/Dialogs.h"


namespace orvel {

namespace {

QString callOfNameLine(const QString &line)
{
    return columnsTrimmed(line, 1, 12);
}

} // namespace

FirstNames::FirstNames(QString folder)
    : m_folder(std::move(folder))
{
}

QString FirstNames::path() const
{
    return dataFilePath(m_folder, kFirstNamesFile);
}

std::optional<RememberedName> FirstNames::lookup(const QString &call) const
{
    const QString wanted = trimBlanks(call);
    if (wanted.isEmpty())
        return std::nullopt;
    std::optional<RememberedName> found;
    for (const QString &line : readLines(path())) {
        if (callOfNameLine(line) == wanted)
            found = RememberedName{columnsTrimmed(line, 14, 15), line.mid(16)};
    }
    return found;
}

FileResult FirstNames::update(const QString &keyLine) const
{
    const QString line = withoutControlCharacters(keyLine);
    const QString call = callOfNameLine(line);
    if (call.isEmpty())
        return FileResult::success();

    QStringList lines;
    if (const FileResult read = readLinesForRewrite(path(), lines); !read)
        return read;
    bool found = false;
    bool changed = false;
    for (QString &existing : lines) {
        if (callOfNameLine(existing) == call) {
            found = true;
            if (existing != line) {
                existing = line;
                changed = true;
            }
        }
    }
    // Deciding from the file itself rather than from the last lookup means a call sign
    // stored without being looked up again is neither lost nor written twice. A new call sign
    // is only appended, and a known one left as it is costs no rewrite: a store in a pile-up
    // must not wait on rewriting a memory of tens of thousands of lines.
    if (!found)
        return appendLines(path(), {line});
    if (!changed)
        return FileResult::success();
    return replaceFile(path(), lines);
}

FirstNameUpdate FirstNames::updateHook(std::function<void(const QString &message)> onFailure) const
{
    return [names = *this, onFailure = std::move(onFailure)](const QString &keyLine) {
        const FileResult result = names.update(keyLine);
        if (!result && onFailure) {
            onFailure(QStringLiteral("Le prénom n'a pas pu être mémorisé.\n") + result.error);
        }
    };
}

std::optional<EarlierContact> findEarlierContact(const QStringList &logLines, const QString &call,
                                                 const QString &band, const QString &mode)
{
    const QString wantedCall = trimBlanks(call);
    const QString wantedBand = trimBlanks(band);
    const QString wantedMode = trimBlanks(mode);
    if (wantedCall.isEmpty())
        return std::nullopt;
    for (const QString &line : logLines) {
        if (callOfLine(line) == wantedCall && bandOfLine(line) == wantedBand &&
            modeOfLine(line) == wantedMode) {
            return EarlierContact{columns(line, 1, 8), columns(line, 11, 15),
                                  columnsTrimmed(line, 36, 50)};
        }
    }
    return std::nullopt;
}

QString alreadyWorkedQuestion(const QString &call, const EarlierContact &earlier,
                              const QString &band)
{
    return call + QLatin1Char(' ') + earlier.firstName + QStringLiteral(" Deja contacté le ") +
           earlier.date + QStringLiteral(" a ") + earlier.time + QStringLiteral(" sur ") + band +
           QStringLiteral(" Mhz. Annuler la saisie ?");
}

bool askCancelAlreadyWorked(Dialogs &dialogs, const LogFiles &logs, const QString &currentReference,
                            const QString &call, const QString &band, const QString &mode)
{
    const auto earlier = findEarlierContact(logs.load(currentReference), call, band, mode);
    if (!earlier)
        return false;
    return dialogs.question(alreadyWorkedQuestion(call, *earlier, band));
}

} // namespace orvel
