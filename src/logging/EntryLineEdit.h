// An entry field that refuses characters the log files cannot hold (outside windows-1252, or
// control characters), typed or pasted, with a French message naming the character.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace orvel {

class Dialogs;

// Refuses a text holding a character that must not reach a log line.
class LogTextValidator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;

signals:
    void refused(QChar character) const;
};

// Installs the validator on a line edit (an entry field or an editable list's field); a
// refused paste or drop is reported once the edit is over.
void refuseUnwritableCharacters(QLineEdit *edit, Dialogs &dialogs);

} // namespace orvel
