// The reception without a window: orvel-multi [--dossier DIR] ecouter REFERENCE [--port N]
// [--adresse ADRESSE]. The QSOs WSJT-X and JTDX log go into every log of the reference's group,
// as in the entry window, until the program is interrupted.
#pragma once

#include <QString>
#include <QStringList>

namespace orvel {

class CommandContext;

struct ListenOptions {
    QString port;    // as typed; empty: 2237
    QString address; // as typed; empty: 127.0.0.1
    // The operator of the QSOs for the group's activator (the entry window's default).
    QString (*operatorOf)(const QString &activator) = nullptr;
};

// arguments: what follows "ecouter" (the reference, one or several words). One line per QSO
// stored on the context's out ("HH:MM INDICATIF BANDE MODE"), every message on its err. The
// data folder is locked for the whole run. SIGINT or SIGTERM ends it: what was heard is written
// first. Returns 0, or 1 when it could not listen or a QSO could not be written.
int runListenCommand(const QStringList &arguments, const ListenOptions &options,
                     CommandContext &context);

} // namespace orvel
