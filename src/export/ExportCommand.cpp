#include "ExportCommand.h"

#include "ExportActions.h"
#include "common/FixedColumns.h"
#include "common/ReferenceName.h"
#include "platform/Clock.h"
#include "records/CommandContext.h"
#include "records/Session.h"


namespace orvel {

namespace {

QString usage()
{
    return QStringLiteral(
        "Usage : orvel-multi [--dossier DOSSIER] exporter adif|ctrafic REFERENCE");
}

enum class Format { Adif, CTrafic };

std::optional<Format> formatOf(const QString &name)
{
    if (name.compare(QLatin1String("adif"), Qt::CaseInsensitive) == 0)
        return Format::Adif;
    if (name.compare(QLatin1String("ctrafic"), Qt::CaseInsensitive) == 0)
        return Format::CTrafic;
    return std::nullopt;
}

} // namespace

void PrintingDialogs::message(const QString &text)
{
    m_out << text << Qt::endl;
}

bool PrintingDialogs::question(const QString &text)
{
    m_out << text << QStringLiteral(" (Non)") << Qt::endl;
    return false;
}

int runExportCommand(const QStringList &arguments, CommandContext &context, const Clock &clock)
{
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    if (arguments.size() < 2) {
        err << QStringLiteral("Il manque le format ou la référence à exporter.") << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    const auto format = formatOf(arguments.first());
    if (!format) {
        err << QStringLiteral("Format d'export inconnu : %1 (adif ou ctrafic).")
                   .arg(arguments.first())
            << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    const QString reference = trimBlanks(arguments.mid(1).join(QLatin1Char(' ')));

    // An export only reads the logs and writes its own files, through scratch files of its
    // own: it may run while the windows work on the same folder, without the lock.
    const CommandGroup &group = context.openGroup(reference, GroupScope::WholeGroup);
    if (!group.ok()) {
        err << group.refusal << Qt::endl;
        return 1;
    }
    const Session &session = context.session();

    PrintingDialogs dialogs(out);
    const ExportReport report{[&dialogs](const QString &message) { dialogs.message(message); },
                              [&err](const ExportFailure &failure) {
                                  err << failure.message;
                                  // A refusal already says everything in its message.
                                  if (!failure.detail.isEmpty() &&
                                      failure.detail != failure.message)
                                      err << QStringLiteral(" : ") << failure.detail;
                                  err << Qt::endl;
                              }};
    const ExportOutcome outcome = *format == Format::Adif ? runAdifExport(session, clock, report)
                                                          : runCTraficExport(session, report);
    return outcome.ok() ? 0 : 1;
}

} // namespace orvel
