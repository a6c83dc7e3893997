#include "ListenCommand.h"

#include "DigitalReception.h"
#include "DigitalSettings.h"
#include "common/FixedColumns.h"
#include "records/CommandContext.h"
#include "records/Session.h"

#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <csignal>

namespace orvel {

namespace {

std::atomic<bool> g_interrupted{false};

void noteInterruption(int)
{
    g_interrupted = true;
}

// SIGINT and SIGTERM noted for the run, the handlers before it put back after.
class Interruption
{
public:
    Interruption()
    {
        g_interrupted = false;
        m_int = std::signal(SIGINT, noteInterruption);
        m_term = std::signal(SIGTERM, noteInterruption);
    }
    ~Interruption()
    {
        std::signal(SIGINT, m_int);
        std::signal(SIGTERM, m_term);
    }
    Interruption(const Interruption &) = delete;
    Interruption &operator=(const Interruption &) = delete;

private:
    void (*m_int)(int) = SIG_DFL;
    void (*m_term)(int) = SIG_DFL;
};

// How often the run looks whether it was interrupted.
constexpr int kInterruptionCheckMs = 100;

QString usage()
{
    return QStringLiteral("Usage : orvel-multi [--dossier DOSSIER] ecouter REFERENCE [--port N] "
                          "[--adresse ADRESSE]");
}

} // namespace

int runListenCommand(const QStringList &arguments, const ListenOptions &options,
                     CommandContext &context)
{
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    const QString reference = trimBlanks(arguments.join(QLatin1Char(' ')));
    if (reference.isEmpty()) {
        err << QStringLiteral("Il manque la référence dont le groupe reçoit les QSO.") << Qt::endl
            << usage() << Qt::endl;
        return 1;
    }
    DigitalSettings where;
    if (!options.port.isEmpty()) {
        bool ok = false;
        where.port = options.port.trimmed().toInt(&ok);
        if (!ok)
            where.port = 0;
    }
    if (!options.address.isEmpty())
        where.address = options.address.trimmed();
    if (const auto problem = where.problem()) {
        err << *problem << Qt::endl << usage() << Qt::endl;
        return 1;
    }
    const CommandGroup &group = context.openGroup(reference, GroupScope::WholeGroup);
    if (!group.ok()) {
        err << group.refusal << Qt::endl;
        return 1;
    }
    // The logs are written for as long as it runs: never beside another copy of the program.
    if (!context.lockFolder())
        return 1;
    Session &session = context.session();
    DigitalReception reception(session, FirstNames(context.folder()));
    const QString operatorCall = options.operatorOf ? options.operatorOf(group.activation.activator)
                                                    : group.activation.activator;
    reception.setOperator([operatorCall] { return operatorCall; });
    reception.setMemoryFailure([&err](const QString &message) { err << message << Qt::endl; });
    QObject::connect(
        &reception, &DigitalReception::taken, &reception,
        [&out](const DigitalTaken &taken) { out << taken.commandLineText() << Qt::endl; });
    QObject::connect(&reception, &DigitalReception::refused, &reception,
                     [&err](const QString &message) { err << message << Qt::endl; });
    QObject::connect(&reception, &DigitalReception::alreadyWorked, &reception,
                     [&err](const QString &message) { err << message << Qt::endl; });

    const Interruption interruption;
    if (const QString problem = reception.start(where.port, where.address); !problem.isEmpty()) {
        err << problem << Qt::endl;
        return 1;
    }
    err << QStringLiteral("Écoute de WSJT-X / JTDX sur %1, port %2 : les QSO vont dans les logs "
                          "de %3. Ctrl+C pour arrêter.")
               .arg(where.address)
               .arg(where.port)
               .arg(session.storeReferences().join(QStringLiteral(", ")))
        << Qt::endl;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&loop] {
        if (g_interrupted)
            loop.quit();
    });
    check.start(kInterruptionCheckMs);
    loop.exec();
    // What was heard is written before the program ends.
    reception.stop();
    reception.finishPending();
    const DigitalCounts &counts = reception.counts();
    err << QStringLiteral("Arrêt : %1 QSO enregistrés.").arg(counts.qsos) << Qt::endl;
    return counts.failed > 0 ? 1 : 0;
}

} // namespace orvel
