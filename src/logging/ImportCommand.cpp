#include "ImportCommand.h"

#include "AdifImport.h"
#include "common/FixedColumns.h"
#include "common/ReferenceName.h"
#include "platform/DataFolderLock.h"
#include "platform/WorkingDirectory.h"
#include "records/ActivationList.h"
#include "records/Session.h"

#include <QDir>

namespace orvel {

namespace {

QString usage()
{
    return QStringLiteral("Usage : orvel-multi [--dossier DOSSIER] importer REFERENCE FICHIER.adi");
}

} // namespace

int runImportCommand(const QStringList &arguments, const QString &folder, QTextStream &out,
                     QTextStream &err)
{
    if (arguments.size() < 2) {
        err << QStringLiteral("Il manque la référence ou le fichier à importer.") << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    const QString path = arguments.last();
    const QString reference =
        trimBlanks(arguments.mid(0, arguments.size() - 1).join(QLatin1Char(' ')));
    if (const auto refused = firstRefusedReference({reference})) {
        err << *refused << Qt::endl;
        return 1;
    }
    const ActivationList list(folder);
    const auto activation = list.find(reference);
    if (!activation) {
        err << QStringLiteral("Référence inconnue : %1 ne figure pas dans %2.")
                   .arg(reference, QDir::toNativeSeparators(list.path()))
            << Qt::endl;
        return 1;
    }
    // As "Saisie des QSO" opens it: the fields and the group of the reference's newest line.
    const QStringList group = list.openGroupAt(list.lastLineOf(reference)).openReferences;
    if (const auto refused = firstRefusedReference(group)) {
        err << *refused << Qt::endl;
        return 1;
    }
    const AdifReading reading = readAdifFile(path);
    if (!reading.ok()) {
        err << reading.error << Qt::endl;
        return 1;
    }
    // The logs are rewritten: never beside a copy of the program working on them.
    DataFolderLock lock(folder);
    if (!lock.acquire()) {
        err << lock.refusal() << Qt::endl;
        return 1;
    }
    Session session(folder, *activation, group);
    const FirstNames names(folder);
    const ImportOutcome outcome = importRecords(
        session, reading.records, entryImportContext(activation->activator, names), &names);
    if (!outcome.ok()) {
        err << outcome.message() << Qt::endl;
        return 1;
    }
    out << outcome.message() << Qt::endl;
    return 0;
}

int runImportCommandLine(const QStringList &arguments, const QString &folderOption)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString folder = commandLineFolder(folderOption, err);
    if (folder.isEmpty())
        return 1;
    return runImportCommand(arguments, folder, out, err);
}

} // namespace orvel
