#include "ListingFiles.h"

#include "Listings.h"
#include "common/FileRead.h"
#include "common/ReferenceName.h"
#include "common/SafeWrite.h"
#include "common/Windows1252.h"
#include "records/ActivationList.h"
#include "records/CurrentLog.h"
#include "records/LogFiles.h"
#include "records/Session.h"

#include <QFileInfo>
#include <QIODevice>

#include <memory>

namespace orvel {

namespace {

// The activation of the first, or the last, line of the list that names reference.
std::optional<Activation> activationOf(const QStringList &lines, const QList<ListEntry> &entries,
                                       const QString &reference, bool first)
{
    std::optional<Activation> found;
    for (const ListEntry &entry : entries) {
        if (entry.reference != reference || entry.line >= lines.size())
            continue;
        found = parseActivationLine(lines.at(entry.line));
        if (first)
            break;
    }
    return found;
}

// The current log and the activation list, read once for every reference: the listings of
// every reference share the log.
struct ListingSources {
    std::shared_ptr<ListedLog> log = std::make_shared<ListedLog>();
    QStringList activationLines;
    QList<ListEntry> activationEntries;
};

FileResult readSources(const Session &session, ListingSources &sources)
{
    // The log the session holds is the file while nothing else has written it: its bytes are
    // shared, not read a second time.
    const CurrentLog &current = session.currentLog();
    if (current.holdsFile() && current.reference() == session.currentReference() &&
        !referenceNameMessage(current.reference()) && current.isCurrent()) {
        *sources.log = ListedLog(current.rows());
    } else if (const FileResult read = readListingLog(session.logFiles(),
                                                      session.currentReference(), *sources.log);
               !read) {
        return read;
    }
    const ActivationList list(session.folder());
    sources.activationLines = list.lines();
    sources.activationEntries = list.entries();
    return FileResult::success();
}

// The listing's lines as the file holds them (windows-1252, each ended by CR LF), written a
// block at a time.
bool writeListing(const Listing &listing, QIODevice &file)
{
    constexpr qsizetype kBlock = 1 << 16;
    QByteArray block;
    block.reserve(kBlock + 512);
    bool ok = true;
    const auto flush = [&] {
        ok = ok && file.write(block) == block.size();
        block.clear();
    };
    listing.write([&](const QString &line) {
        block.append(encodeWindows1252(line)).append("\r\n", 2);
        if (block.size() >= kBlock)
            flush();
    });
    flush();
    return ok;
}

} // namespace

QStringList Listing::lines() const
{
    QStringList all;
    write([&all](const QString &line) { all.append(line); });
    return all;
}

FileResult readListingLog(const LogFiles &logs, const QString &reference, ListedLog &log)
{
    log = ListedLog();
    if (const auto why = referenceNameMessage(reference))
        return FileResult::failure(refusedReferenceMessage(reference, *why));
    const QString path = logs.path(reference);
    const FileBytes read = readFileBytes(path);
    if (!read.ok())
        return FileResult::failure(
            QStringLiteral("Le log %1 ne peut pas être lu (%2) : aucune liste n'est faite.")
                .arg(QFileInfo(path).fileName(), read.reason()),
            read.systemError);
    log = ListedLog(read.bytes);
    return FileResult::success();
}

FileResult buildLogListings(const Session &session, const QDate &today, QList<Listing> &listings)
{
    ListingSources sources;
    if (const FileResult read = readSources(session, sources); !read)
        return read;
    const int count = sources.log->operatorCount();
    listings.clear();
    for (const QString &reference : session.storeReferences()) {
        const auto own =
            activationOf(sources.activationLines, sources.activationEntries, reference, true);
        const LogListingHeading heading = logListingHeading(reference, own, session.activation());
        listings.append({reference, logListingFileName(reference, today),
                         [log = sources.log, heading, count](const LineSink &put) {
                             writeLogListing(heading, *log, count, put);
                         }});
    }
    return FileResult::success();
}

FileResult buildAlphaListings(const Session &session, QList<Listing> &listings)
{
    ListingSources sources;
    if (const FileResult read = readSources(session, sources); !read)
        return read;
    const int count = sources.log->operatorCount();
    const auto order = std::make_shared<const QList<qsizetype>>(alphaListOrder(*sources.log));
    const QString fileDate = session.activation().date;
    listings.clear();
    for (const QString &reference : session.storeReferences()) {
        const auto own =
            activationOf(sources.activationLines, sources.activationEntries, reference, false);
        listings.append({reference, alphaListingFileName(reference, fileDate),
                         [log = sources.log, order, reference, own, count](const LineSink &put) {
                             writeAlphaListing(reference, own, *log, *order, count, put);
                         }});
    }
    return FileResult::success();
}

QString listingSavedMessage(const QString &fileName)
{
    return QStringLiteral("Le log a été sauvegardé sous le nom : ") + fileName;
}

QString listingRefusedMessage(const QString &reference, const QString &why)
{
    return QStringLiteral("Le log de la référence « %1 » n'a pas été sauvegardé : aucun fichier "
                          "ne peut porter ce nom.\n%2")
        .arg(shownReference(reference), why);
}

ListingSaveOutcome saveListings(const QString &folder, const QList<Listing> &listings,
                                const ListingTell &tell)
{
    ListingSaveOutcome outcome;
    for (const Listing &listing : listings) {
        // A reference of a hand-edited list may hold a path, a NUL or a name of the program's
        // own files: no file is named after it.
        if (const auto why = referenceNameMessage(listing.reference)) {
            outcome.refusedReferences.append(listing.reference);
            tell(listingRefusedMessage(listing.reference, *why), false);
            continue;
        }
        const FileResult written =
            replaceFileWith(dataFilePath(folder, listing.fileName), [&listing](QIODevice &file) {
                return writeListing(listing, file);
            });
        if (written) {
            outcome.writtenFiles.append(listing.fileName);
            tell(listingSavedMessage(listing.fileName), true);
        } else {
            outcome.failedFiles.append(listing.fileName);
            tell(QStringLiteral("Le log n'a pas pu être sauvegardé sous le nom : %1\n%2")
                     .arg(listing.fileName, written.error),
                 false);
        }
    }
    return outcome;
}

ScriptPieces listingPrintPieces(const QList<Listing> &listings)
{
    return {int(listings.size()), [listings](const auto &play) {
                // A piece of a few thousand lines: a few pages.
                constexpr qsizetype kPieceOperations = 4096;
                PrintScript piece;
                // The dialog's printer and the command line's PDF file break the pages alike.
                piece.setPageMargins(10);
                piece.setFont(QStringLiteral("Courier New"));
                piece.setBold(true);
                piece.setSize(8);
                bool going = true;
                for (const Listing &listing : listings) {
                    listing.write([&](const QString &line) {
                        if (!going)
                            return;
                        piece.printLine(line);
                        if (piece.operations().size() >= kPieceOperations) {
                            going = play(piece);
                            piece = PrintScript();
                        }
                    });
                    if (!going)
                        return;
                    piece.endDocument();
                }
                play(piece);
            }};
}

PrintScript listingPrintScript(const QList<Listing> &listings)
{
    PrintScript script;
    listingPrintPieces(listings).write([&script](const PrintScript &piece) {
        for (const PrintOperation &op : piece.operations())
            script.add(op);
        return true;
    });
    return script;
}

} // namespace orvel
