#include "FirstNames.h"

#include "QsoLine.h"
#include "common/FixedColumns.h"
#include "common/Windows1252.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <future>
#include <vector>

namespace orvel {

namespace {

QString callOfNameLine(const QString &line)
{
    return trimmedColumn(line, qsocol::kNameCall).toString();
}

} // namespace

struct FirstNames::Memory {
    bool read = false;
    qint64 size = -1;
    QDateTime modified;
    // The last line of each call sign, and the call signs standing on several different lines.
    QHash<QString, QString> lines;
    QSet<QString> differing;
};

struct FirstNames::Cache : Memory {
    // A reading started by preload(), not taken in yet.
    std::future<Memory> pending;
};

namespace {

// The file's size and time now; -1 and no time when it is missing.
void stampOf(const QString &path, qint64 &size, QDateTime &modified)
{
    const QFileInfo info(path);
    size = info.exists() ? info.size() : -1;
    modified = info.exists() ? info.lastModified() : QDateTime();
}

} // namespace

FirstNames::Memory FirstNames::readMemory(const QString &path)
{
    Memory fresh;
    // Stamped before it is read: a write while it is read makes the stamp differ, and the
    // memory is read again at its next use.
    stampOf(path, fresh.size, fresh.modified);
    for (const QString &line : readLines(path)) {
        const QString call = callOfNameLine(line);
        const auto known = fresh.lines.constFind(call);
        if (known != fresh.lines.constEnd() && *known != line)
            fresh.differing.insert(call);
        fresh.lines.insert(call, line);
    }
    fresh.read = true;
    return fresh;
}

FirstNames::FirstNames(QString folder)
    : m_folder(std::move(folder))
    , m_cache(std::make_shared<Cache>())
{
}

QString FirstNames::path() const
{
    return dataFilePath(m_folder, kFirstNamesFile);
}

void FirstNames::preload() const
{
    if (m_cache->read || m_cache->pending.valid())
        return;
    m_cache->pending = std::async(std::launch::async, &FirstNames::readMemory, path());
}

void FirstNames::refresh() const
{
    if (m_cache->pending.valid())
        static_cast<Memory &>(*m_cache) = m_cache->pending.get();
    qint64 size = -1;
    QDateTime modified;
    stampOf(path(), size, modified);
    if (m_cache->read && m_cache->size == size && m_cache->modified == modified)
        return;
    static_cast<Memory &>(*m_cache) = readMemory(path());
}

void FirstNames::noteWritten() const
{
    stampOf(path(), m_cache->size, m_cache->modified);
}

namespace {

std::optional<RememberedName> lookupIn(const QHash<QString, QString> &lines, const QString &call)
{
    const QString wanted = trimBlanks(call);
    if (wanted.isEmpty())
        return std::nullopt;
    const auto found = lines.constFind(wanted);
    if (found == lines.constEnd())
        return std::nullopt;
    return RememberedName{trimmedColumn(*found, qsocol::kNameDepartment).toString(),
                          restFrom(*found, qsocol::kNameFirstName).toString()};
}

} // namespace

std::optional<RememberedName> FirstNames::lookup(const QString &call) const
{
    if (trimBlanks(call).isEmpty())
        return std::nullopt;
    refresh();
    return lookupIn(m_cache->lines, call);
}

FirstNames::Snapshot FirstNames::snapshot() const
{
    refresh();
    Snapshot taken;
    taken.m_lines = m_cache->lines;
    return taken;
}

std::optional<RememberedName> FirstNames::Snapshot::lookup(const QString &call) const
{
    return lookupIn(m_lines, call);
}

FileResult FirstNames::update(const QString &keyLine) const
{
    const QString line = withoutControlCharacters(keyLine);
    const QString call = callOfNameLine(line);
    if (call.isEmpty())
        return FileResult::success();
    refresh();
    // A new call sign is only appended, and a known one left as it is costs no rewrite: a
    // store in a pile-up must not wait on rewriting a memory of tens of thousands of lines.
    const auto known = m_cache->lines.constFind(call);
    if (known == m_cache->lines.constEnd()) {
        const FileResult appended = appendLines(path(), {line});
        m_cache->read = false;
        if (appended) {
            m_cache->lines.insert(call, line);
            m_cache->read = true;
            noteWritten();
        }
        return appended;
    }
    if (*known == line && !m_cache->differing.contains(call))
        return FileResult::success();

    // Every line of the call sign takes the new text; the others keep their bytes.
    QByteArray file;
    if (const FileResult read = readBytesForRewrite(path(), file); !read)
        return read;
    const QByteArray lineBytes = encodeWindows1252(line);
    const QByteArray callBytes = encodeWindows1252(call);
    LinePieces pieces(file);
    forEachByteLine(file, [&](const ByteLine &l) {
        const QByteArrayView key = trimmedColumn(l.in(file), qsocol::kNameCall);
        if (key == QByteArrayView(callBytes))
            pieces.put(lineBytes);
        else
            pieces.keep(l);
    });
    const FileResult written = replaceFilePieces(path(), pieces.pieces());
    m_cache->read = false;
    if (written) {
        m_cache->lines.insert(call, line);
        m_cache->differing.remove(call);
        m_cache->read = true;
        noteWritten();
    }
    return written;
}

FileResult FirstNames::updateMany(const QStringList &keyLines) const
{
    // The last line of each call sign wins, at the place of its call sign's first line.
    QHash<QString, QString> latest;
    QStringList calls;
    for (const QString &keyLine : keyLines) {
        const QString line = withoutControlCharacters(keyLine);
        const QString call = callOfNameLine(line);
        if (call.isEmpty())
            continue;
        if (!latest.contains(call))
            calls.append(call);
        latest.insert(call, line);
    }
    refresh();
    QStringList added;
    bool rewrite = false;
    for (const QString &call : std::as_const(calls)) {
        const auto known = m_cache->lines.constFind(call);
        if (known == m_cache->lines.constEnd())
            added.append(latest.value(call));
        else if (*known != latest.value(call) || m_cache->differing.contains(call))
            rewrite = true;
    }
    if (!rewrite && added.isEmpty())
        return FileResult::success();
    FileResult written;
    if (!rewrite) {
        written = appendLines(path(), added);
    } else {
        QByteArray file;
        if (const FileResult read = readBytesForRewrite(path(), file); !read)
            return read;
        // The bytes of every new line, kept while the pieces point to them.
        QHash<QByteArray, QByteArray> changed;
        for (const QString &call : std::as_const(calls))
            changed.insert(encodeWindows1252(call), encodeWindows1252(latest.value(call)));
        std::vector<QByteArray> appended;
        appended.reserve(size_t(added.size()));
        for (const QString &line : std::as_const(added))
            appended.push_back(encodeWindows1252(line));
        LinePieces pieces(file);
        forEachByteLine(file, [&](const ByteLine &l) {
            const QByteArrayView key = trimmedColumn(l.in(file), qsocol::kNameCall);
            const auto found = changed.constFind(key.toByteArray());
            if (found != changed.constEnd())
                pieces.put(*found);
            else
                pieces.keep(l);
        });
        for (const QByteArray &line : appended)
            pieces.put(line);
        written = replaceFilePieces(path(), pieces.pieces());
    }
    m_cache->read = false;
    if (written) {
        for (const QString &call : std::as_const(calls)) {
            m_cache->lines.insert(call, latest.value(call));
            m_cache->differing.remove(call);
        }
        m_cache->read = true;
        noteWritten();
    }
    return written;
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

} // namespace orvel
