#include "ImportCommand.h"

#include "AdifImport.h"
#include "common/FixedColumns.h"
#include "common/ReferenceName.h"
#include "records/CommandContext.h"
#include "records/Session.h"

namespace orvel {

namespace {

QString usage()
{
    return QStringLiteral("Usage : orvel-multi [--dossier DOSSIER] importer REFERENCE FICHIER.adi");
}

} // namespace

int runImportCommand(const QStringList &arguments, CommandContext &context)
{
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    if (arguments.size() < 2) {
        err << QStringLiteral("Il manque la référence ou le fichier à importer.") << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    const QString path = arguments.last();
    const QString reference =
        trimBlanks(arguments.mid(0, arguments.size() - 1).join(QLatin1Char(' ')));
    // As "Saisie des QSO" opens it: the fields and the group of the reference's newest line.
    const CommandGroup &group = context.openGroup(reference, GroupScope::WholeGroup);
    if (!group.ok()) {
        err << group.refusal << Qt::endl;
        return 1;
    }
    const AdifReading reading = readAdifFile(path);
    if (!reading.ok()) {
        err << reading.error << Qt::endl;
        return 1;
    }
    // The logs are rewritten: never beside a copy of the program working on them.
    if (!context.lockFolder())
        return 1;
    Session &session = context.session();
    const FirstNames names(context.folder());
    const ImportOutcome outcome = importRecords(
        session, reading.records, entryImportContext(group.activation.activator, names), &names);
    if (!outcome.ok()) {
        err << outcome.message() << Qt::endl;
        return 1;
    }
    out << outcome.message() << Qt::endl;
    return 0;
}

} // namespace orvel
