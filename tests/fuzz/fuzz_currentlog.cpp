// The current log against a plain list: a log of any content, then a run of stores,
// corrections, insertions and deletions written by the log files and taken in by the current
// log as the session hands them over. After each, the current log holds the lines a plain
// reading of the whole file gives, counts its operators as they do and finds the same first
// QSO of a call sign, band and mode.
#include "FuzzSupport.h"
#include "common/TextFile.h"
#include "records/CurrentLog.h"
#include "records/LogFiles.h"
#include "records/QsoLine.h"

#include <QSet>

using namespace orvel;

namespace {

const QString kReference = QStringLiteral("DFCF 89010");

// A few values of each field, so that call signs, moments, bands and modes meet again.
const QStringList kCalls{"F4KLA", "ON4ABC", "", "EA8AA", "f4kla", "Q4XYZ/P"};
const QStringList kDates{"05/09/13", "04/09/13", "31/12/99", "01/01/00", "5/9/13", ""};
const QStringList kTimes{"08:35", "08:35", "23:59", "00:00", "8h35", ""};
const QStringList kBands{"7", "14", "3.5", "144"};
const QStringList kModes{"SSB", "CW", "FT8", ""};

// The input read one byte at a time; past its end, zeros.
class Bytes
{
public:
    Bytes(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool atEnd() const { return m_at >= m_size; }
    int next(int modulo) { return (m_at < m_size ? m_data[m_at++] : 0) % modulo; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

QString lineFrom(Bytes &in, bool inserted)
{
    const QString &call = kCalls.at(in.next(int(kCalls.size())));
    return formatQsoLine({kDates.at(in.next(int(kDates.size()))),
                          kTimes.at(in.next(int(kTimes.size()))), call, "89", "Jean", "59", "59",
                          kModes.at(in.next(int(kModes.size()))),
                          kBands.at(in.next(int(kBands.size()))), "", inserted ? "" : "Q9ABC"},
                         inserted);
}

std::optional<qsizetype> plainFirstRow(const QStringList &lines, const QString &call,
                                       const QString &band, const QString &mode)
{
    if (call.isEmpty())
        return std::nullopt;
    for (qsizetype row = 0; row < lines.size(); ++row) {
        if (callOfLine(lines.at(row)) == call && bandOfLine(lines.at(row)) == band &&
            modeOfLine(lines.at(row)) == mode)
            return row;
    }
    return std::nullopt;
}

void compare(const CurrentLog &log, const QStringList &plain)
{
    fuzz::require(log.copyOfLines() == plain, "les lignes du fichier, dans l'ordre");
    fuzz::require(log.operatorCount() == countOperators(plain), "le nombre d'opérateurs");
    QStringList calls = log.distinctCalls();
    calls.removeAll(QString());
    QStringList plainCalls;
    countOperators(plain, &plainCalls);
    fuzz::require(QSet<QString>(calls.begin(), calls.end()) ==
                      QSet<QString>(plainCalls.begin(), plainCalls.end()),
                  "les indicatifs distincts");
    for (const QString &call : kCalls) {
        for (const QString &band : kBands) {
            for (const QString &mode : kModes)
                fuzz::require(log.firstRowWith(call, band, mode) ==
                                  plainFirstRow(plain, call, band, mode),
                              "le premier QSO d'un indicatif, d'une bande et d'un mode");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input up to its first byte 0xFF is the log as found; the rest drives the changes.
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype cut = bytes.indexOf('\xff');
    const QString path =
        fuzz::writeDataFile(kReference + QStringLiteral(".txt"), cut < 0 ? bytes : bytes.left(cut));
    Bytes in(data + (cut < 0 ? size : size_t(cut) + 1), cut < 0 ? 0 : size - size_t(cut) - 1);

    const LogFiles logs(fuzz::dataFolder());
    CurrentLog log(logs);
    log.load(kReference);
    compare(log, readLines(path));
    for (int step = 0; step < 64 && !in.atEnd(); ++step) {
        const QStringList before = readLines(path);
        switch (in.next(4)) {
        case 0: {
            const QString line = lineFrom(in, false);
            fuzz::require(logs.append({kReference}, line).ok(), "le QSO est ajouté");
            log.appended(line);
            break;
        }
        case 1: {
            const QString line = lineFrom(in, true);
            fuzz::require(logs.insert({kReference}, line).ok(), "le QSO est inséré");
            log.inserted(line);
            break;
        }
        case 2: {
            if (before.isEmpty())
                break;
            const QString old = before.at(in.next(int(before.size())));
            const QString line = lineFrom(in, false);
            fuzz::require(logs.replace({kReference}, line, old).ok(), "le QSO est corrigé");
            log.replaced(old, line);
            break;
        }
        default: {
            if (before.isEmpty())
                break;
            const qsizetype row = in.next(int(before.size()));
            fuzz::require(logs.removeFromAll({kReference}, row, before.at(row)).outcome ==
                              LogFiles::RemoveOutcome::Removed,
                          "le QSO est supprimé");
            log.removed(row);
            break;
        }
        }
        compare(log, readLines(path));
    }
    return 0;
}
