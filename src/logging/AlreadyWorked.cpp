#include "AlreadyWorked.h"

#include "common/FixedColumns.h"
#include "platform/Dialogs.h"
#include "records/QsoLine.h"
#include "records/Session.h"

namespace orvel {

namespace {
EarlierContact earlierContactOf(const QString &line)
{
    return EarlierContact{rawColumn(line, qsocol::kDate).toString(),
                          rawColumn(line, qsocol::kTime).toString(),
                          qsoField(line, qsocol::kFirstName).toString()};
}
} // namespace

QString alreadyWorkedQuestion(const QString &call, const EarlierContact &earlier,
                              const QString &band)
{
    return call + QLatin1Char(' ') + earlier.firstName + QStringLiteral(" Deja contacté le ") +
           earlier.date + QStringLiteral(" a ") + earlier.time + QStringLiteral(" sur ") + band +
           QStringLiteral(" Mhz. Annuler la saisie ?");
}

bool askCancelAlreadyWorked(Dialogs &dialogs, const Session &session, const QString &call,
                            const QString &band, const QString &mode)
{
    const CurrentLog &log = session.currentLog();
    const auto row = log.firstRowWith(call, band, mode);
    if (!row)
        return false;
    return dialogs.question(alreadyWorkedQuestion(call, earlierContactOf(log.line(*row)), band));
}

} // namespace orvel
