// The log listings: the numbered log of the activation in progress, its alphanumeric log sorted
// by call sign, the operators contacted, and the whole listings (headings, QSO lines, count,
// credit) that are saved, printed and shown on the command line. A listing is written line
// after line from the log as read, so that a listing of a long log never stands whole in
// memory. No widget here: the windows show these lines as they are.
#pragma once

#include "records/Activation.h"
#include "records/CurrentLog.h"
#include "records/LineLayout.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace orvel {

// Where the lines of a listing go, one after the other.
using LineSink = std::function<void(const QString &line)>;

// A log as read for a listing: its bytes as stored and where each line stands. A line becomes
// text only when it is listed.
class ListedLog
{
public:
    ListedLog() = default;
    explicit ListedLog(QByteArray bytes);
    // The current log's rows as they stand, sharing its bytes: a listing of the log the session
    // holds reads no file and copies no line.
    explicit ListedLog(LogRows rows);

    qsizetype size() const { return m_rows.size(); }
    // The line at row as stored (windows-1252, no line end).
    QByteArrayView rowBytes(qsizetype row) const { return m_rows.rowBytes(row); }
    // The line at row into text, reusing its room.
    void readLine(qsizetype row, QString &text) const;
    // The number of distinct call signs (an empty one left out).
    int operatorCount() const;

private:
    LogRows m_rows;
};

// The sorted lists (the alphanumeric log, the operators) compare letters without regard to
// case, then by character code; equal entries keep their order.

// An entry of the log window's and the alphanumeric log's lists: the number right-aligned in
// 5 characters, two blanks, the log line as stored.
QString logListEntry(int number, const QString &line);
// The log's lines, numbered from 1.
QStringList logListEntries(const QStringList &lines);

// The alphanumeric log: the lines ordered by call sign, then by the rest of the line, then by
// date and time; a line stored twice is listed once, and the numbers have no gap.
QStringList alphaListEntries(const QStringList &lines);
// The same as the indexes of the lines, in list order (the n-th entry shows lines[order[n-1]]
// numbered n).
QList<qsizetype> alphaListOrder(const QStringList &lines);
// The same on the log's rows as stored: row numbers in list order, without decoding the log.
QList<qsizetype> alphaListOrder(const CurrentLog &log);
QList<qsizetype> alphaListOrder(const LogRows &rows);
QList<qsizetype> alphaListOrder(const ListedLog &log);
// Where the log's row added, the last one, goes in the alphaListOrder of the rows before it:
// the row of the list it takes, or -1 when an equal line is listed already.
qsizetype alphaListPlace(const CurrentLog &log, const QList<qsizetype> &order, qsizetype added);
// Where a line added after lines goes in their alphaListOrder: the row it takes, or -1 when an
// equal line is listed already (the list is then the same).
qsizetype alphaListPlace(const QStringList &lines, const QList<qsizetype> &order,
                         const QString &added);

// The distinct call signs (case-sensitive), in the listing order.
QStringList operatorList(const QStringList &lines);
QStringList operatorList(const ListedLog &log);
// The same from the call signs themselves (the empty one left out): a log's distinct calls.
QStringList operatorListOfCalls(const QStringList &calls);
// Where the call sign of a line added to the log goes in its operatorList: the row it takes, or
// -1 when it is listed already or the line has none.
qsizetype operatorListPlace(const QStringList &calls, const QString &addedLine);

// The column header above both lists, as written for the reader of the screen; the heading
// shown stands over the columns: listColumnTitles().
QString listColumnHeader();
// The titles over the entries of logListEntry(), each at its column.
QList<ColumnTitle> listColumnTitles();
// The log window's title: "Log activité " and, for each open reference, a blank and the
// reference.
QString logWindowTitle(const QStringList &openReferences);
QString alphaWindowTitle(const QStringList &openReferences);
// The operator list's count: " 12 opérateurs".
QString operatorCountText(int count);

// The program's name and revision, closing every listing.
QString creditLine();

// What the heading of one reference's log listing shows.
struct LogListingHeading {
    QString reference;
    QString type;       // from the reference's line of the activation list
    QString name;       // idem
    QString canton;     // idem
    QString postalCode; // idem
    QString date;       // the current activation's
    QString activator;  // idem
    QString commune;    // idem
};

// The heading of reference: its own line of the activation list (the first that names it;
// none gives empty fields), the current activation's date, activator and commune.
LogListingHeading logListingHeading(const QString &reference,
                                    const std::optional<Activation> &ownLine,
                                    const Activation &current);

// The entries of the log window's list (logListEntry()), one after the other, of every line
// of log.
void writeLogListEntries(const ListedLog &log, const LineSink &put);
// The entries of the alphanumeric log's list, of log's lines in order (alphaListOrder()).
void writeAlphaListEntries(const ListedLog &log, const QList<qsizetype> &order,
                           const LineSink &put);

// The whole log listing of one reference: two heading lines, the column header, every QSO
// line numbered, the count of operators and the credit line, each separated as printed.
void writeLogListing(const LogListingHeading &heading, const ListedLog &log, int operatorCount,
                     const LineSink &put);

// The whole alphanumeric listing of one reference, from its line of the activation list (the
// last that names it; none gives empty fields) and the log's lines in order
// (alphaListOrder()).
void writeAlphaListing(const QString &reference, const std::optional<Activation> &ownLine,
                       const ListedLog &log, const QList<qsizetype> &order, int operatorCount,
                       const LineSink &put);

// reference, "_", the day as dd_mm_yy, ".txt".
QString logListingFileName(const QString &reference, const QDate &today);
// reference, "_", the activation date as dd_mm_yy, " Alpha.txt".
QString alphaListingFileName(const QString &reference, const QString &activationDate);

} // namespace orvel
