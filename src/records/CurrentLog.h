// The current activation's log as the windows show it: its lines, the rows of every call sign
// and the number of operators contacted. After each change this program makes, it is kept in
// step without reading the file again; when the file holds anything else (changed by another
// program, say), it is read again whole.
//
// The log is held as the file's own bytes (windows-1252, read once) with a table of where each
// row stands; a line becomes text only when it is asked for. A line this program adds or
// changes goes to a second, small buffer, and its row points there. The call-sign index is a
// table from a call sign to its first row, and each row leads to the next row of its call sign:
// both flat arrays of row numbers, compared on the rows' own bytes.
#pragma once

#include "LogFiles.h"
#include "common/FileStamp.h"
#include "common/SafeWrite.h"
#include "common/TextFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orvel {

// Where a row's bytes stand, its line end left out: at start in the file's bytes, or, for a
// negative start, at -1 - start in the added bytes.
struct LogRowPlace {
    qint64 start = 0;
    qint64 size = 0;
};

// The log's lines as they stood at one moment, for work on another thread (a sort) while the
// log goes on changing: it shares the log's bytes, which the log never changes in place, and
// copies only the table of rows.
class LogRows
{
public:
    LogRows() = default;
    // The rows of a log file's bytes (windows-1252, any line ends), for a one-off reading.
    static LogRows ofFile(QByteArray bytes);
    qsizetype size() const { return static_cast<qsizetype>(m_rows.size()); }
    // The line at row as stored (windows-1252, no line end).
    QByteArrayView rowBytes(qsizetype row) const
    {
        const LogRowPlace &place = m_rows[size_t(row)];
        if (place.start >= 0)
            return QByteArrayView(m_file.constData() + place.start, place.size);
        return QByteArrayView(m_added.constData() + (-1 - place.start), place.size);
    }

private:
    friend class CurrentLog;
    QByteArray m_file;
    QByteArray m_added;
    std::vector<LogRowPlace> m_rows;
};

class CurrentLog
{
public:
    explicit CurrentLog(LogFiles logs);

    // Reads the reference's log whole.
    void load(const QString &reference);

    // Whether the file is still what was last read or written here (one stat of it).
    bool isCurrent() const;
    // Whether the log holds its file's bytes (the file was there and read); a change to it can
    // then be written from them, while isCurrent(), without reading the file again.
    bool holdsFile() const { return m_holdsFile; }
    // The path of the log's file.
    QString path() const { return m_logs.path(m_reference); }

    // A change this program just wrote to the file is taken in two steps, so that a model can
    // announce it before and after: tookChange says whether the file now holds the log plus
    // delta bytes (and takes its new stamp as read when it does); the change is then applied
    // with one of the functions after it. When tookChange is false, the log is to be read again.
    bool tookChange(qint64 delta);
    void appendLine(QByteArrayView bytes);
    // The rows whose line is exactly bytes.
    QList<qsizetype> rowsHolding(QByteArrayView bytes) const;
    void replaceRows(const QList<qsizetype> &rows, QByteArrayView bytes);
    // The row a line of this moment goes to: before the first line of an equal or later
    // moment, or at the end.
    qsizetype insertionRow(QByteArrayView line) const;
    void insertLine(qsizetype row, QByteArrayView bytes);
    void removeRow(qsizetype row);

    // The file's new content after a change, as pieces of the bytes held (every line ended by
    // CRLF, as LinePieces writes them): the rows given replaced by bytes, a line placed before
    // a row (at the end for size()), or a row left out. The pieces are valid until the next
    // change.
    BytePieces piecesReplacing(const QList<qsizetype> &rows, QByteArrayView bytes) const;
    BytePieces piecesInserting(qsizetype row, QByteArrayView bytes) const;
    BytePieces piecesWithout(qsizetype row) const;

    // The same in one step each: when the file does not hold the change, it is read again
    // whole and the answer is empty (false).
    // A line appended at the end.
    bool appended(const QString &line);
    // Every line equal to oldLine became newLine: the rows changed.
    std::optional<QList<qsizetype>> replaced(const QString &oldLine, const QString &newLine);
    // A line placed at its moment: its row.
    std::optional<qsizetype> inserted(const QString &line);
    // The line at row was removed.
    bool removed(qsizetype row);

    const QString &reference() const { return m_reference; }
    // The number of lines.
    qsizetype size() const { return static_cast<qsizetype>(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    // The line at row (from 0), as text.
    QString line(qsizetype row) const;
    // The same into text, reusing its room: for a pass over every row without a string each.
    void readLine(qsizetype row, QString &text) const;
    // The line at row as stored (windows-1252, no line end), valid until the next change: a
    // pass over every row compares columns on it without decoding the line.
    QByteArrayView rowBytes(qsizetype row) const { return bytesOf(row); }
    // Every row as it stands now, for a thread of its own.
    LogRows rows() const;
    // Every line as text, for a one-off job (a listing, a search); a window that stays open
    // asks for the rows it shows instead of keeping such a copy.
    QStringList copyOfLines() const;
    // Number of distinct call signs, as counted on the whole log.
    int operatorCount() const { return static_cast<int>(m_callCount); }
    // Each call sign of the log once, in the order of its first QSO; an empty one among them
    // when a line has none.
    QStringList distinctCalls() const;
    // The number the next QSO will get.
    int nextNumber() const { return static_cast<int>(size()) + 1; }
    // The first row with this call sign, band ("7") and mode ("SSB"), each compared exactly
    // after trimming blanks; empty when there is none or the call sign is empty.
    std::optional<qsizetype> firstRowWith(const QString &call, const QString &band,
                                          const QString &mode) const;

private:
    using Row = LogRowPlace;
    // A call sign of the index: its first and last rows and the hash of its bytes.
    struct CallSlot {
        qint32 first = -1;
        qint32 last = -1;
        quint32 hash = 0;
    };

    QByteArrayView bytesOf(const Row &row) const;
    // Every row in order, each through put(row, pieces), which adds what stands for it.
    template <typename Put> BytePieces piecesOf(Put put) const;
    // The row as it stands in the file, with its line end.
    void keepRow(qsizetype row, LinePieces &pieces) const;
    QByteArrayView bytesOf(qsizetype row) const { return bytesOf(m_rows[size_t(row)]); }
    QByteArrayView callOf(qsizetype row) const;
    Row added(QByteArrayView bytes);
    void readFile();

    void index();
    size_t slotOf(QByteArrayView call, quint32 hash) const;
    void growIndex();
    void eraseSlot(size_t slot);
    void addRow(qsizetype row);
    void dropRow(qsizetype row);
    void shiftRows(qsizetype from, qint32 by);

    LogFiles m_logs;
    QString m_reference;
    QByteArray m_file;
    QByteArray m_added;
    std::vector<Row> m_rows;
    // Open addressing, linear probing: a power of two of slots, at most half of them used.
    std::vector<CallSlot> m_slots;
    // For each row, the next row of its call sign, or -1.
    std::vector<qint32> m_next;
    qsizetype m_callCount = 0;
    FileStamp m_stamp;
    bool m_holdsFile = false;
};

} // namespace orvel
