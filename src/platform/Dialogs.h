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
};

} // namespace orvel
