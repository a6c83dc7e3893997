// Every message and question of the program goes through here, so that tests script the
// answers and read the exact texts shown.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

class QPrinter;

namespace orvel {

class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with an OK button, no icon, no title.
    virtual void message(const QString &text) = 0;
    // A Yes/No question; true for "Oui".
    virtual bool question(const QString &text) = 0;
    // The printer choice; false when the user cancels.
    virtual bool choosePrinter(QPrinter &printer) = 0;
};

// Records what was shown and answers from a script (default answers when it runs out).
class ScriptedDialogs : public Dialogs
{
public:
    void message(const QString &text) override
    {
        messages.append(text);
        shown.append(text);
    }
    bool question(const QString &text) override
    {
        questions.append(text);
        shown.append(text);
        if (answers.empty())
            return defaultAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool choosePrinter(QPrinter &) override
    {
        ++printerChoices;
        return acceptPrinter;
    }
    void clear()
    {
        messages.clear();
        questions.clear();
        shown.clear();
    }

    QStringList messages;
    QStringList questions;
    QStringList shown;
    std::deque<bool> answers;
    bool defaultAnswer = true;
    bool acceptPrinter = true;
    int printerChoices = 0;
};

} // namespace orvel
