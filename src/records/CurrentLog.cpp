#include "CurrentLog.h"

#include "Diagnostics.h"
#include "common/FileRead.h"
#include "common/TextFile.h"
#include "common/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>

#include <algorithm>

namespace orvel {

namespace {

constexpr qint32 kNone = -1;

quint32 hashOf(QByteArrayView call)
{
    return static_cast<quint32>(qHash(call));
}

// Whether text can be held by a log line: a value with any other character matches no row.
bool encodable(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return isWindows1252(c); });
}

} // namespace

CurrentLog::CurrentLog(LogFiles logs)
    : m_logs(std::move(logs))
    , m_slots(16)
{
}

QByteArrayView CurrentLog::bytesOf(const Row &row) const
{
    if (row.start >= 0)
        return QByteArrayView(m_file.constData() + row.start, row.size);
    return QByteArrayView(m_added.constData() + (-1 - row.start), row.size);
}

LogRows LogRows::ofFile(QByteArray bytes)
{
    LogRows rows;
    rows.m_file = std::move(bytes);
    qsizetype count = 0;
    forEachByteLine(rows.m_file, [&count](const ByteLine &) { ++count; });
    rows.m_rows.reserve(size_t(count));
    forEachByteLine(rows.m_file, [&rows](const ByteLine &l) {
        rows.m_rows.push_back(LogRowPlace{l.start, l.end - l.start});
    });
    return rows;
}

LogRows CurrentLog::rows() const
{
    LogRows rows;
    rows.m_file = m_file;
    rows.m_added = m_added;
    rows.m_rows = m_rows;
    return rows;
}

QByteArrayView CurrentLog::callOf(qsizetype row) const
{
    return trimmedColumn(bytesOf(row), qsocol::kCall);
}

void CurrentLog::keepRow(qsizetype row, LinePieces &pieces) const
{
    const Row &r = m_rows[size_t(row)];
    if (r.start < 0) {
        pieces.put(bytesOf(r));
        return;
    }
    // The row's bytes and its line end (CR LF, CR or LF alone, none at the end of the file):
    // rows that follow one another in the file make one run of its bytes.
    qsizetype end = r.start + r.size;
    if (end < m_file.size() && m_file.at(end) == '\r')
        ++end;
    if (end < m_file.size() && m_file.at(end) == '\n')
        ++end;
    pieces.keepBytes(r.start, end);
}

template <typename Put> BytePieces CurrentLog::piecesOf(Put put) const
{
    LinePieces pieces(m_file);
    for (qsizetype row = 0; row < size(); ++row)
        put(row, pieces);
    return pieces.pieces();
}

BytePieces CurrentLog::piecesReplacing(const QList<qsizetype> &rows, QByteArrayView bytes) const
{
    qsizetype next = 0; // rows come in log order
    return piecesOf([&](qsizetype row, LinePieces &pieces) {
        if (next < rows.size() && rows.at(next) == row) {
            ++next;
            pieces.put(bytes);
        } else {
            keepRow(row, pieces);
        }
    });
}

BytePieces CurrentLog::piecesInserting(qsizetype at, QByteArrayView bytes) const
{
    LinePieces pieces(m_file);
    for (qsizetype row = 0; row < size(); ++row) {
        if (row == at)
            pieces.put(bytes);
        keepRow(row, pieces);
    }
    if (at >= size())
        pieces.put(bytes);
    return pieces.pieces();
}

BytePieces CurrentLog::piecesWithout(qsizetype skipped) const
{
    return piecesOf([&](qsizetype row, LinePieces &pieces) {
        if (row != skipped)
            keepRow(row, pieces);
    });
}

CurrentLog::Row CurrentLog::added(QByteArrayView bytes)
{
    const Row row{-1 - m_added.size(), bytes.size()};
    m_added.append(bytes);
    return row;
}

QString CurrentLog::line(qsizetype row) const
{
    return decodeWindows1252(bytesOf(row));
}

void CurrentLog::readLine(qsizetype row, QString &text) const
{
    decodeWindows1252(bytesOf(row), text);
}

QStringList CurrentLog::copyOfLines() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        lines.append(line(row));
    return lines;
}

bool CurrentLog::isCurrent() const
{
    return FileStamp::of(path()) == m_stamp;
}

bool CurrentLog::tookChange(qint64 delta)
{
    const FileStamp now = FileStamp::of(path());
    if (now.size != m_stamp.size + delta || (!now.exists && delta != 0))
        return false;
    m_stamp = now;
    return true;
}

void CurrentLog::readFile()
{
    // What was held goes first, so that reading a long log again never holds it twice.
    m_file = QByteArray();
    m_added = QByteArray();
    std::vector<Row>().swap(m_rows);
    // The stamp is taken before the bytes: a write between the two makes the log look changed
    // at the next check, never the other way round.
    m_stamp = FileStamp::of(path());
    // A pipe, a device or an outsized file under the log's name is never read (FileRead.h). A
    // missing log is an ordinary case (no QSO yet); one that is there and cannot be read is not.
    FileBytes read = readFileBytes(path());
    if (!read.ok())
        qCWarning(lcRecords) << "Unreadable log read as empty:" << m_reference << read.reason();
    m_holdsFile = read.outcome == FileBytes::Outcome::Read;
    m_file = std::move(read.bytes);
    qsizetype count = 0;
    forEachByteLine(m_file, [&count](const ByteLine &) { ++count; });
    m_rows.reserve(size_t(count));
    forEachByteLine(m_file, [this](const ByteLine &l) {
        m_rows.push_back(Row{l.start, l.end - l.start});
    });
}

void CurrentLog::load(const QString &reference)
{
    m_reference = reference;
    readFile();
    index();
}

// The call-sign index.

size_t CurrentLog::slotOf(QByteArrayView call, quint32 hash) const
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot].first != kNone) {
        if (m_slots[slot].hash == hash && callOf(m_slots[slot].first) == call)
            return slot;
        slot = (slot + 1) & mask;
    }
    return slot;
}

void CurrentLog::growIndex()
{
    if (size_t(m_callCount + 1) * 2 <= m_slots.size())
        return;
    std::vector<CallSlot> old(std::max<size_t>(16, m_slots.size() * 2));
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const CallSlot &entry : old) {
        if (entry.first == kNone)
            continue;
        size_t slot = entry.hash & mask;
        while (m_slots[slot].first != kNone)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

void CurrentLog::eraseSlot(size_t slot)
{
    // The entries after it in their run move back where a search from their home slot still
    // finds them, so no slot is ever left marked as deleted.
    const size_t mask = m_slots.size() - 1;
    size_t next = slot;
    for (;;) {
        next = (next + 1) & mask;
        if (m_slots[next].first == kNone)
            break;
        const size_t home = m_slots[next].hash & mask;
        const bool between =
            slot <= next ? (slot < home && home <= next) : (slot < home || home <= next);
        if (!between) {
            m_slots[slot] = m_slots[next];
            slot = next;
        }
    }
    m_slots[slot] = CallSlot{};
    --m_callCount;
}

void CurrentLog::index()
{
    m_next.assign(m_rows.size(), kNone);
    m_callCount = 0;
    // Room for a call sign every four rows at first; the table grows when a log holds more.
    size_t room = 16;
    while (room < m_rows.size() / 2)
        room *= 2;
    m_slots.assign(room, CallSlot{});
    // Rows come in order here: each goes at the end of its call sign's chain.
    for (qsizetype row = 0; row < size(); ++row) {
        const QByteArrayView call = callOf(row);
        if (call.isEmpty())
            continue;
        growIndex();
        const quint32 hash = hashOf(call);
        CallSlot &slot = m_slots[slotOf(call, hash)];
        if (slot.first == kNone) {
            slot = CallSlot{qint32(row), qint32(row), hash};
            ++m_callCount;
        } else {
            m_next[size_t(slot.last)] = qint32(row);
            slot.last = qint32(row);
        }
    }
}

void CurrentLog::addRow(qsizetype row)
{
    const QByteArrayView call = callOf(row);
    m_next[size_t(row)] = kNone;
    if (call.isEmpty())
        return;
    growIndex();
    const quint32 hash = hashOf(call);
    CallSlot &slot = m_slots[slotOf(call, hash)];
    const auto at = qint32(row);
    if (slot.first == kNone) {
        slot = CallSlot{at, at, hash};
        ++m_callCount;
    } else if (at < slot.first) {
        m_next[size_t(at)] = slot.first;
        slot.first = at;
    } else if (at > slot.last) {
        m_next[size_t(slot.last)] = at;
        slot.last = at;
    } else {
        qint32 before = slot.first;
        while (m_next[size_t(before)] != kNone && m_next[size_t(before)] < at)
            before = m_next[size_t(before)];
        m_next[size_t(at)] = m_next[size_t(before)];
        m_next[size_t(before)] = at;
    }
}

void CurrentLog::dropRow(qsizetype row)
{
    const QByteArrayView call = callOf(row);
    if (call.isEmpty())
        return;
    const size_t index = slotOf(call, hashOf(call));
    CallSlot &slot = m_slots[index];
    if (slot.first == kNone)
        return;
    const auto at = qint32(row);
    if (slot.first == at) {
        if (slot.last == at)
            eraseSlot(index);
        else
            slot.first = m_next[size_t(at)];
    } else {
        qint32 before = slot.first;
        while (m_next[size_t(before)] != kNone && m_next[size_t(before)] != at)
            before = m_next[size_t(before)];
        m_next[size_t(before)] = m_next[size_t(at)];
        if (slot.last == at)
            slot.last = before;
    }
    m_next[size_t(at)] = kNone;
}

void CurrentLog::shiftRows(qsizetype from, qint32 by)
{
    // No row is -1 (kNone) or below, so "none" is never shifted and the loops need no test
    // for it: they run without branches, several rows at a time.
    const auto first = qint32(from);
    for (CallSlot &slot : m_slots) {
        slot.first += qint32(slot.first >= first) * by;
        slot.last += qint32(slot.last >= first) * by;
    }
    for (qint32 &next : m_next)
        next += qint32(next >= first) * by;
}

// The changes.

void CurrentLog::appendLine(QByteArrayView bytes)
{
    m_rows.push_back(added(bytes));
    m_next.push_back(kNone);
    addRow(size() - 1);
}

QList<qsizetype> CurrentLog::rowsHolding(QByteArrayView bytes) const
{
    QList<qsizetype> rows;
    const QByteArrayView call = trimmedColumn(bytes, qsocol::kCall);
    if (!call.isEmpty()) {
        // Only rows of its call sign can hold the line.
        const CallSlot &slot = m_slots[slotOf(call, hashOf(call))];
        for (qint32 row = slot.first; row != kNone; row = m_next[size_t(row)]) {
            if (bytesOf(row) == bytes)
                rows.append(row);
        }
    } else {
        for (qsizetype row = 0; row < size(); ++row) {
            if (bytesOf(row) == bytes)
                rows.append(row);
        }
    }
    return rows;
}

void CurrentLog::replaceRows(const QList<qsizetype> &rows, QByteArrayView bytes)
{
    if (rows.isEmpty())
        return;
    // Every changed row points to the one copy of the new line.
    const Row changed = added(bytes);
    for (const qsizetype row : rows) {
        dropRow(row);
        m_rows[size_t(row)] = changed;
        addRow(row);
    }
}

qsizetype CurrentLog::insertionRow(QByteArrayView line) const
{
    const auto moment = qsoOrderKeyOfBytes(line);
    if (!moment)
        return size();
    for (qsizetype row = 0; row < size(); ++row) {
        const auto existing = qsoOrderKeyOfBytes(bytesOf(row));
        if (existing && *existing >= *moment)
            return row;
    }
    return size();
}

void CurrentLog::insertLine(qsizetype row, QByteArrayView bytes)
{
    m_rows.insert(m_rows.begin() + row, added(bytes));
    shiftRows(row, 1);
    m_next.insert(m_next.begin() + row, kNone);
    addRow(row);
}

void CurrentLog::removeRow(qsizetype row)
{
    dropRow(row);
    m_rows.erase(m_rows.begin() + row);
    m_next.erase(m_next.begin() + row);
    shiftRows(row, -1);
}

bool CurrentLog::appended(const QString &line)
{
    const QByteArray bytes = encodeWindows1252(line);
    if (!tookChange(bytes.size() + 2)) {
        load(m_reference);
        return false;
    }
    appendLine(bytes);
    return true;
}

std::optional<QList<qsizetype>> CurrentLog::replaced(const QString &oldLine, const QString &newLine)
{
    const QByteArray oldBytes = encodeWindows1252(oldLine);
    const QByteArray newBytes = encodeWindows1252(newLine);
    const QList<qsizetype> rows = rowsHolding(oldBytes);
    if (!tookChange(rows.size() * (newBytes.size() - oldBytes.size()))) {
        load(m_reference);
        return std::nullopt;
    }
    replaceRows(rows, newBytes);
    return rows;
}

std::optional<qsizetype> CurrentLog::inserted(const QString &line)
{
    const QByteArray bytes = encodeWindows1252(line);
    if (!tookChange(bytes.size() + 2)) {
        load(m_reference);
        return std::nullopt;
    }
    const qsizetype row = insertionRow(bytes);
    insertLine(row, bytes);
    return row;
}

bool CurrentLog::removed(qsizetype row)
{
    if (row < 0 || row >= size() || !tookChange(-(bytesOf(row).size() + 2))) {
        load(m_reference);
        return false;
    }
    removeRow(row);
    return true;
}

QStringList CurrentLog::distinctCalls() const
{
    std::vector<qint32> firstRows;
    firstRows.reserve(size_t(m_callCount) + 1);
    for (const CallSlot &slot : m_slots) {
        if (slot.first != kNone)
            firstRows.push_back(slot.first);
    }
    for (qsizetype row = 0; row < size(); ++row) {
        if (callOf(row).isEmpty()) {
            firstRows.push_back(qint32(row));
            break;
        }
    }
    std::sort(firstRows.begin(), firstRows.end());
    QStringList calls;
    calls.reserve(qsizetype(firstRows.size()));
    for (const qint32 row : firstRows)
        calls.append(decodeWindows1252(callOf(row)));
    return calls;
}

std::optional<qsizetype> CurrentLog::firstRowWith(const QString &call, const QString &band,
                                                  const QString &mode) const
{
    const QStringView wantedCall = trimmedBlanks(call);
    const QStringView wantedBand = trimmedBlanks(band);
    const QStringView wantedMode = trimmedBlanks(mode);
    if (wantedCall.isEmpty() || !encodable(wantedCall) || !encodable(wantedBand) ||
        !encodable(wantedMode))
        return std::nullopt;
    const QByteArray callBytes = encodeWindows1252(wantedCall);
    const QByteArray bandBytes = encodeWindows1252(wantedBand);
    const QByteArray modeBytes = encodeWindows1252(wantedMode);
    const CallSlot &slot = m_slots[slotOf(callBytes, hashOf(callBytes))];
    for (qint32 row = slot.first; row != kNone; row = m_next[size_t(row)]) {
        const QByteArrayView line = bytesOf(row);
        if (trimmedColumn(line, qsocol::kBand) == QByteArrayView(bandBytes) &&
            trimmedColumn(line, qsocol::kMode) == QByteArrayView(modeBytes))
            return row;
    }
    return std::nullopt;
}

} // namespace orvel
