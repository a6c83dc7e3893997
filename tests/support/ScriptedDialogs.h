// Dialogs that record what was shown and answer from a script (default answers when it runs
// out).
#pragma once

#include "platform/Dialogs.h"

#include <QStringList>
#include <deque>

namespace orvel {

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
    // The next scripted file name (empty when the script has none: nothing chosen).
    QString fileToOpen(const QString &caption, const QString &folder,
                       const QString &filter) override
    {
        fileCaptions.append(caption);
        Q_UNUSED(folder);
        Q_UNUSED(filter);
        if (files.empty())
            return {};
        const QString file = files.front();
        files.pop_front();
        return file;
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
    std::deque<QString> files;
    QStringList fileCaptions;
    bool defaultAnswer = true;
};

} // namespace orvel
