// Every message and question of the program goes through here, so that tests script the
// answers and read the exact texts shown.
#pragma once

#include <QString>

namespace orvel {

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with an OK button, no icon, no title.
    virtual void message(const QString &text) = 0;
    // A Yes/No question; true for "Oui".
    virtual bool question(const QString &text) = 0;
    // A file to read, chosen by the user in folder among the files that filter names
    // ("Fichiers ADIF (*.adi *.adif)"); empty when none was chosen. Where nobody can choose
    // (the command line), none is.
    virtual QString fileToOpen(const QString &caption, const QString &folder, const QString &filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(folder);
        Q_UNUSED(filter);
        return {};
    }
};

} // namespace orvel
