// The listings of the open activations as files and as a print job: each is made from the
// current activation's log as it stands on disk at that moment, with the heading of each open
// reference. A listing is written line after line to its file, never held whole.
#pragma once

#include "Listings.h"
#include "common/TextFile.h"
#include "print/PrintScript.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <functional>

namespace orvel {

class LogFiles;
class Session;

// One reference's listing and the name of its file.
struct Listing {
    QString reference;
    QString fileName; // without folder
    // Gives every line of the listing to put, in order, made as it goes from the log read.
    std::function<void(const LineSink &put)> write;

    // Every line at once.
    QStringList lines() const;
};

// A reference's log for a listing. A missing log has no line; a log that exists but cannot be
// read (a folder, a pipe, a device, too large, refused) or a reference that cannot name a file
// is a failure, never an empty listing.
FileResult readListingLog(const LogFiles &logs, const QString &reference, ListedLog &log);

// The log listing of every open reference (the current one alone when none is open), in
// list order, its file named after today.
FileResult buildLogListings(const Session &session, const QDate &today, QList<Listing> &listings);
// The alphanumeric listing of every open reference, its file named after the activation date.
FileResult buildAlphaListings(const Session &session, QList<Listing> &listings);

// "Le log a été sauvegardé sous le nom : " and the file name.
QString listingSavedMessage(const QString &fileName);

// "Le log de la référence « REFERENCE » n'a pas été sauvegardé : aucun fichier ne peut porter
// ce nom." and why.
QString listingRefusedMessage(const QString &reference, const QString &why);

// What a save did, file by file.
struct ListingSaveOutcome {
    QStringList writtenFiles;
    QStringList failedFiles;
    // The references no file can be named after (ReferenceName.h): nothing written for them.
    QStringList refusedReferences;
    bool ok() const { return failedFiles.isEmpty() && refusedReferences.isEmpty(); }
};

// Writes each listing to its file of folder (replaced safely, CR LF), and tells after each
// file either listingSavedMessage() (saved true) or why it could not be written; a reference
// that cannot name a file is told with listingRefusedMessage() and written nowhere. A failed
// or refused file never stops the next one.
using ListingTell = std::function<void(const QString &message, bool saved)>;
ListingSaveOutcome saveListings(const QString &folder, const QList<Listing> &listings,
                                const ListingTell &tell);

// The print job of the listings: 10 mm margins, "Courier New" bold 8 points, every line one
// after the other, each listing a document of its own.
PrintScript listingPrintScript(const QList<Listing> &listings);
// The same made a piece at a time as it is played: the listings of a long log are printed
// without their script standing whole.
ScriptPieces listingPrintPieces(const QList<Listing> &listings);

} // namespace orvel
