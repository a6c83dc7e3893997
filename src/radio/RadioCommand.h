// The radio read from the command line:
//   orvel-multi radio --rigctld HOST:PORT
//   orvel-multi radio --modele N [--port DEV] [--vitesse BAUD]
// prints "FREQ_HZ;BAND;MODE" with the band and mode the entry window would take (the band
// empty outside every band, the mode empty for a mode the window has no text for).
#pragma once

#include "RadioConfig.h"
#include "Rig.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;
class QTextStream;

namespace orvel {

class CommandContext;

// How long the command waits for the radio.
inline constexpr int kRadioCommandDeadlineMs = 5000;

// Exit codes: a wrong command line, a radio that does not answer.
inline constexpr int kRadioUsageError = 1;
inline constexpr int kRadioNoAnswer = 2;

// The options as given; a value of an option not given is absent.
struct RadioCommandOptions {
    std::optional<QString> rigctld;
    std::optional<QString> model;
    std::optional<QString> device;
    std::optional<QString> speed;
};
RadioCommandOptions radioOptionsGiven(const QCommandLineParser &parser);

// The radio the options name, or a French message saying what is wrong with them.
struct RadioCommandPlan {
    RadioConfig config;
    QString error;
};
RadioCommandPlan planRadioCommand(const QStringList &arguments, const RadioCommandOptions &options);

// The line printed for a reading: "7100000;7;SSB".
QString radioLine(const RadioReading &reading);

// arguments: what follows "radio". Reads the radio once within kRadioCommandDeadlineMs; prints
// the line on the context's out or a French message on its err.
int runRadioCommand(const QStringList &arguments, const RadioCommandOptions &options,
                    CommandContext &context);

} // namespace orvel
