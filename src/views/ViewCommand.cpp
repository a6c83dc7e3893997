#include "ViewCommand.h"

#include "CountryTable.h"
#include "CtyConversion.h"
#include "DepartmentTally.h"
#include "common/FileRead.h"
#include "common/FixedColumns.h"
#include "common/TextFile.h"
#include "platform/WorkingDirectory.h"
#include "records/CommandContext.h"
#include "records/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace orvel {

namespace {

const QString kBandOption = QStringLiteral("bande");
const QString kModeOption = QStringLiteral("mode");

QString usage()
{
    return QStringLiteral("Usage : orvel-multi [--dossier DOSSIER] afficher pays REFERENCE\n"
                          "        orvel-multi [--dossier DOSSIER] afficher departements REFERENCE "
                          "--bande \"14 Mhz\" --mode SSB\n"
                          "        orvel-multi [--dossier DOSSIER] pays CTY.DAT");
}

// The session of a reference as a click in the activation list opens it; nothing (and a
// message on err) when the group cannot be opened (see openCommandGroup) or its log cannot be
// read.
const Session *openReference(CommandContext &context, const QString &reference)
{
    QString refusal = context.openGroup(reference, GroupScope::Reference).refusal;
    if (refusal.isEmpty()) {
        if (const auto problem =
                unreadableFileProblem(LogFiles(context.folder()).path(reference)))
            refusal = *problem;
    }
    if (!refusal.isEmpty()) {
        context.err() << refusal << Qt::endl;
        return nullptr;
    }
    return &context.session();
}

int showCountries(const Session &session, QTextStream &out, QTextStream &err)
{
    const CountryTableRead table = readCountryTable(session.folder());
    if (!table.found) {
        err << table.message << Qt::endl;
        return 1;
    }
    // The log's distinct call signs alone are looked up, as the countries window does.
    CountriesContacted countries(table.table);
    for (const QString &call : session.currentLog().distinctCalls())
        countries.addCall(call);
    for (const QString &entry : countries.entries())
        out << entry << Qt::endl;
    return 0;
}

int showDepartments(const Session &session, const ViewFilter &filter, QTextStream &out,
                    QTextStream &err)
{
    if (filter.band.trimmed().isEmpty() || filter.mode.trimmed().isEmpty()) {
        err << QStringLiteral("Il faut la bande et le mode : --bande \"14 Mhz\" --mode SSB.")
            << Qt::endl;
        return 1;
    }
    QString band = filter.band.trimmed();
    if (!band.endsWith(QLatin1String(" Mhz")))
        band += QStringLiteral(" Mhz");
    const DepartmentMarks marks =
        markDepartments(session.currentLog(), band, filter.mode.trimmed());
    out << countDepartments(marks) << Qt::endl;
    for (const QString &label : markedLabelTexts(marks))
        out << label << Qt::endl;
    return 0;
}

} // namespace

bool isViewCommand(const QStringList &positional)
{
    // "afficher" also shows the listings: only its countries and départements are here.
    const QString first = positional.value(0);
    const QString what = positional.value(1);
    return first == QLatin1String("pays") ||
           (first == QLatin1String("afficher") &&
            (what == QLatin1String("pays") || what == QLatin1String("departements") ||
             what == QLatin1String("départements")));
}

int runShowCommand(const QStringList &arguments, const ViewFilter &filter, CommandContext &context)
{
    const QString &folder = context.folder();
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    const QString what = arguments.value(0);
    const bool countries = what == QLatin1String("pays");
    const bool departments =
        what == QLatin1String("departements") || what == QLatin1String("départements");
    if (arguments.size() < 2 || (!countries && !departments)) {
        err << QStringLiteral("Que faut-il afficher : pays ou departements, puis la référence ?")
            << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    // The program's start writes the built-in table where there is none; so does this command.
    if (const FileResult installed = installCountryTable(folder); !installed)
        err << installed.error << Qt::endl;
    const QString reference = trimBlanks(arguments.mid(1).join(QLatin1Char(' ')));
    const Session *session = openReference(context, reference);
    if (!session)
        return 1;
    return countries ? showCountries(*session, out, err)
                     : showDepartments(*session, filter, out, err);
}

int runCountryFileCommand(const QStringList &arguments, CommandContext &context)
{
    const QString &folder = context.folder();
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    if (arguments.size() != 1) {
        err << QStringLiteral("Donnez le fichier cty.dat à convertir.") << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    // The country table is a data file the windows read: never rewritten beside a copy of the
    // program working on the same folder.
    if (!context.lockFolder())
        return 1;
    const QString path = arguments.first();
    const FileBytes file = readFileBytes(path);
    if (!file.exists() || !file.ok()) {
        err << QStringLiteral("Impossible de lire %1 : %2.")
                   .arg(QDir::toNativeSeparators(path), file.reason())
            << Qt::endl;
        return 1;
    }
    const CtyConversion conversion = convertCtyDat(QString::fromLatin1(file.bytes));
    if (!conversion.ok()) {
        err << conversion.error << Qt::endl
            << QStringLiteral("La table des pays n'a pas été modifiée.") << Qt::endl;
        return 1;
    }
    if (const FileResult written = writeCountryTable(folder, conversion.lines); !written) {
        err << written.error << Qt::endl;
        return 1;
    }
    out << QStringLiteral("%1 écrit : %2 préfixes de %3 pays (%4 indicatifs exacts laissés de "
                          "côté).")
               .arg(QDir::toNativeSeparators(dataFilePath(folder, kCountryTableFile)))
               .arg(conversion.lines.size())
               .arg(conversion.countries)
               .arg(conversion.exactCallsLeftOut)
        << Qt::endl;
    return 0;
}

} // namespace orvel
