#include "ListingCommand.h"

#include "ListingFiles.h"
#include "Listings.h"
#include "common/FixedColumns.h"
#include "platform/Clock.h"
#include "print/ScriptPlayer.h"
#include "records/CommandContext.h"
#include "records/Session.h"

#include <QDir>

namespace orvel {

namespace {

const QString kSave = QStringLiteral("enregistrer");
const QString kShow = QStringLiteral("afficher");
const QString kPrint = QStringLiteral("imprimer");

QString usage()
{
    return QStringLiteral(
        "Usage : orvel-multi [--dossier DOSSIER] enregistrer log|alpha REFERENCE\n"
        "        orvel-multi [--dossier DOSSIER] afficher "
        "log|alpha|operateurs REFERENCE\n"
        "        orvel-multi [--dossier DOSSIER] imprimer log REFERENCE --pdf "
        "FICHIER");
}

QStringList kindsOf(const QString &command)
{
    if (command == kSave)
        return {QStringLiteral("log"), QStringLiteral("alpha")};
    if (command == kShow)
        return {QStringLiteral("log"), QStringLiteral("alpha"), QStringLiteral("operateurs")};
    return {QStringLiteral("log")};
}

int failure(QTextStream &err, const QString &message)
{
    err << message << Qt::endl;
    return 1;
}

} // namespace

int runListingCommand(const QStringList &positional, const QString &pdfPath, const Clock &clock,
                      CommandContext &context)
{
    const QString &folder = context.folder();
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    const QString command = positional.value(0);
    if (positional.size() < 3)
        return failure(err, QStringLiteral("Il manque la liste ou la référence.\n") + usage());
    const QString kind = positional.at(1).toLower();
    if (!kindsOf(command).contains(kind)) {
        // "afficher" also shows the countries and the départements (their own command).
        QStringList kinds = kindsOf(command);
        if (command == kShow)
            kinds << QStringLiteral("pays") << QStringLiteral("departements");
        return failure(err,
                       QStringLiteral("Liste inconnue pour « %1 » : %2 (%3).\n")
                               .arg(command, positional.at(1), kinds.join(QStringLiteral(", "))) +
                           usage());
    }
    if (command == kPrint && pdfPath.isEmpty())
        return failure(err,
                       QStringLiteral("Indiquez le fichier PDF avec --pdf FICHIER.\n") + usage());
    const QString reference = trimBlanks(positional.mid(2).join(QLatin1Char(' ')));
    const CommandGroup &group = context.openGroup(reference, GroupScope::Reference);
    if (!group.ok())
        return failure(err, group.refusal);
    if (command == kShow) {
        // The log alone is read: no session is opened, so the log is not held twice.
        ListedLog log;
        if (const FileResult read = readListingLog(LogFiles(folder), reference, log); !read)
            return failure(err, read.error);
        // Written as they are made: a long log is never held as text.
        const LineSink put = [&out](const QString &entry) { out << entry << '\n'; };
        if (kind == QLatin1String("log")) {
            writeLogListEntries(log, put);
        } else if (kind == QLatin1String("alpha")) {
            writeAlphaListEntries(log, alphaListOrder(log), put);
        } else {
            for (const QString &call : operatorList(log))
                put(call);
        }
        out.flush();
        return 0;
    }

    const Session &session = context.session();
    QList<Listing> listings;
    const FileResult built = kind == QLatin1String("alpha")
                                 ? buildAlphaListings(session, listings)
                                 : buildLogListings(session, clock.localNow().date(), listings);
    if (!built)
        return failure(err, built.error);

    if (command == kSave) {
        const ListingSaveOutcome saved =
            saveListings(folder, listings, [&](const QString &message, bool ok) {
                (ok ? out : err) << message << Qt::endl;
            });
        return saved.ok() ? 0 : 1;
    }

    // A listing line is 128 columns, 217 mm at 8 points: only a landscape A4 holds it whole.
    const PlayResult played = ScriptPlayer::playToPdf(listingPrintPieces(listings), pdfPath,
                                                      PlayOptions{}, QPageLayout::Landscape);
    if (played.failed)
        return failure(err,
                       played.error.isEmpty()
                           ? QStringLiteral("Le fichier PDF %1 n'a pas pu être écrit.")
                                 .arg(QDir::toNativeSeparators(pdfPath))
                           : played.error + QStringLiteral(" ; le log n'y a pas été imprimé."));
    out << QStringLiteral("Le log a été imprimé dans le fichier : %1 (%2 document(s), %3 page(s))")
               .arg(QDir::toNativeSeparators(pdfPath))
               .arg(played.documents)
               .arg(played.pages)
        << Qt::endl;
    return 0;
}

} // namespace orvel
