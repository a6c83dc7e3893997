// What one command of the command line works with, made once for it before it runs: the data
// folder, the two output streams, the folder's lock and the group the command opened. Every
// command reaches them here, so that none chooses a folder, takes the lock or opens a group in
// its own way.
#pragma once

#include "CommandGroup.h"

#include <QString>
#include <QTextStream>
#include <memory>
#include <optional>

namespace orvel {

class DataFolderLock;
class Session;

enum class GroupScope {
    // The named reference must be able to name a file; the rest of its group is the command's
    // business (a listing saves the logs it can and tells of the others).
    Reference,
    // Every reference of the group must (an export, an import: they work on the whole group).
    WholeGroup,
};

class CommandContext
{
public:
    // folder: the data folder already chosen; empty for a command that uses none.
    CommandContext(QString folder, QTextStream &out, QTextStream &err);
    ~CommandContext();
    CommandContext(const CommandContext &) = delete;
    CommandContext &operator=(const CommandContext &) = delete;

    const QString &folder() const { return m_folder; }
    // What the command reports, and what goes wrong.
    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }

    // Takes the data folder for the rest of the command, for a command that rewrites files the
    // windows work on. Taken once: a second call answers as the first. False, with the refusal
    // written on err, when another copy of the program works on the folder.
    bool lockFolder();

    // The group of reference, opened once (see openCommandGroup and openWholeCommandGroup); a
    // second call gives the same group whatever it names. Its refusal is the caller's to tell.
    const CommandGroup &openGroup(const QString &reference, GroupScope scope);
    // The session of the group openGroup opened, made on first use; only for an opened group.
    Session &session();

private:
    QString m_folder;
    QTextStream &m_out;
    QTextStream &m_err;
    std::unique_ptr<DataFolderLock> m_lock;
    std::optional<bool> m_locked;
    std::optional<CommandGroup> m_group;
    std::unique_ptr<Session> m_session;
};

} // namespace orvel
