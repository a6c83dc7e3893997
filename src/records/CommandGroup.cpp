#include "CommandGroup.h"

#include "ActivationList.h"
#include "LogFiles.h"
#include "UnfinishedWrites.h"
#include "common/FileRead.h"
#include "common/ReferenceName.h"

#include <QDir>

namespace orvel {

namespace {

CommandGroup refused(const QString &message)
{
    CommandGroup group;
    group.refusal = message;
    return group;
}

} // namespace

CommandGroup openCommandGroup(const QString &folder, const QString &reference)
{
    if (const auto refusedName = firstRefusedReference({reference}))
        return refused(*refusedName);
    const ActivationList list(folder);
    if (const auto problem = unreadableFileProblem(list.path()))
        return refused(*problem);
    const auto activation = list.find(reference);
    if (!activation)
        return refused(QStringLiteral("Référence inconnue : %1 ne figure pas dans %2.")
                           .arg(reference, QDir::toNativeSeparators(list.path())));
    const QStringList references = list.openGroupAt(list.lastLineOf(reference)).openReferences;

    QList<UnfinishedWrite> lacking;
    for (const UnfinishedWrite &write :
         checkUnfinishedWrites(LogFiles(folder), WriteJournal(folder).entries(), references)) {
        if (!write.agrees())
            lacking.append(write);
    }
    if (!lacking.isEmpty())
        return refused(unfinishedWritesWarning(lacking));
    return CommandGroup{*activation, references, {}};
}

CommandGroup openWholeCommandGroup(const QString &folder, const QString &reference)
{
    CommandGroup group = openCommandGroup(folder, reference);
    if (group.ok()) {
        if (const auto refusedName = firstRefusedReference(group.references))
            group.refusal = *refusedName;
    }
    return group;
}

} // namespace orvel
