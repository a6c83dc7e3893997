// The exports run from the command line: orvel-multi [--dossier DIR] exporter adif|ctrafic
// REFERENCE. The reference is opened as a click in the activation list opens it.
#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace orvel {

class Clock;
class CommandContext;

// Messages printed on a stream instead of shown in a box; no question is ever accepted, since
// nobody is there to answer.
class PrintingDialogs : public Dialogs
{
public:
    explicit PrintingDialogs(QTextStream &out)
        : m_out(out)
    {
    }
    void message(const QString &text) override;
    bool question(const QString &text) override;

private:
    QTextStream &m_out;
};

// arguments: what follows "exporter" (the format, then the reference; a reference given as
// several words is joined with blanks). Each file written is told on the context's out, every
// problem on its err. Returns the exit code: 0 when every file was written, 1 otherwise.
int runExportCommand(const QStringList &arguments, CommandContext &context, const Clock &clock);

} // namespace orvel
