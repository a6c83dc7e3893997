#include "RadioCommand.h"

#include "RadioProbe.h"
#include "RadioTables.h"
#include "records/Bands.h"
#include "records/CommandContext.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

namespace orvel {

namespace {

const QString kRigctldOption = QStringLiteral("rigctld");
const QString kModelOption = QStringLiteral("modele");
const QString kDeviceOption = QStringLiteral("port");
const QString kSpeedOption = QStringLiteral("vitesse");

QString usage()
{
    return QStringLiteral("Usage : orvel-multi radio --rigctld HOTE:PORT\n"
                          "        orvel-multi radio --modele N [--port PERIPHERIQUE] "
                          "[--vitesse BAUDS]");
}

std::optional<QString> option(const QCommandLineParser &parser, const QString &name)
{
    return parser.isSet(name) ? std::optional<QString>(parser.value(name)) : std::nullopt;
}

// A whole positive number, or nothing.
std::optional<int> positiveNumber(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

} // namespace

RadioCommandOptions radioOptionsGiven(const QCommandLineParser &parser)
{
    return {option(parser, kRigctldOption), option(parser, kModelOption),
            option(parser, kDeviceOption), option(parser, kSpeedOption)};
}

RadioCommandPlan planRadioCommand(const QStringList &arguments, const RadioCommandOptions &options)
{
    RadioCommandPlan plan;
    const auto refuse = [&plan](const QString &message) {
        plan.error = message + QLatin1Char('\n') + usage();
        return plan;
    };
    if (!arguments.isEmpty())
        return refuse(
            QStringLiteral("Argument en trop : %1.").arg(arguments.join(QLatin1Char(' '))));
    const bool direct = options.model || options.device || options.speed;
    if (options.rigctld && direct)
        return refuse(QStringLiteral("--rigctld ne se combine pas avec --modele, --port ou "
                                     "--vitesse."));
    if (options.rigctld) {
        const auto address = rigctldAddress(*options.rigctld);
        if (!address)
            return refuse(QStringLiteral("Adresse de rigctld illisible : « %1 » (attendu "
                                         "HOTE:PORT, port de 1 à 65535).")
                              .arg(*options.rigctld));
        plan.config = *address;
        return plan;
    }
    if (!options.model)
        return refuse(QStringLiteral("Quelle radio lire ? Donnez --rigctld ou --modele."));
    const auto model = positiveNumber(*options.model);
    if (!model)
        return refuse(QStringLiteral("Numéro de modèle illisible : « %1 ».").arg(*options.model));
    plan.config.kind = RadioLinkKind::Direct;
    plan.config.model = *model;
    if (options.device) {
        if (options.device->trimmed().isEmpty())
            return refuse(QStringLiteral("Le port série est vide."));
        plan.config.device = options.device->trimmed();
    }
    if (options.speed) {
        const auto speed = positiveNumber(*options.speed);
        if (!speed)
            return refuse(QStringLiteral("Vitesse illisible : « %1 » (un nombre de bauds).")
                              .arg(*options.speed));
        plan.config.speed = *speed;
    }
    return plan;
}

QString radioLine(const RadioReading &reading)
{
    // Without a window, a data mode is written as a window on neither FT8 nor PSK writes it.
    return QStringLiteral("%1;%2;%3")
        .arg(reading.frequency)
        .arg(bandOfFrequency(reading.frequency), modeOfRadio(reading.mode, QString()));
}

int runRadioCommand(const QStringList &arguments, const RadioCommandOptions &options,
                    CommandContext &context)
{
    QTextStream &out = context.out();
    QTextStream &err = context.err();
    const RadioCommandPlan plan = planRadioCommand(arguments, options);
    if (!plan.error.isEmpty()) {
        err << plan.error << Qt::endl;
        return kRadioUsageError;
    }
    RadioProbe probe;
    RadioAnswer answer;
    QEventLoop loop;
    QObject::connect(&probe, &RadioProbe::answered, &loop, [&](const RadioAnswer &given) {
        answer = given;
        loop.quit();
    });
    probe.start(plan.config, kRadioCommandDeadlineMs);
    loop.exec();
    int code = 0;
    if (answer.ok) {
        out << radioLine(answer.reading) << Qt::endl;
    } else {
        err << answer.problem << Qt::endl;
        code = kRadioNoAnswer;
    }
    if (!probe.waitForWorker(1000)) {
        // A radio still holding Hamlib cannot be interrupted; ending the process at once is
        // the only way not to wait on it, and nothing is left unwritten.
        out.flush();
        err.flush();
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}

} // namespace orvel
