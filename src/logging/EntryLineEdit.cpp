#include "EntryLineEdit.h"

#include "common/Windows1252.h"
#include "platform/Dialogs.h"

#include <QTimer>

#include <memory>

namespace orvel {

QValidator::State LogTextValidator::validate(QString &input, int &) const
{
    if (const auto refusedCharacter = firstRefusedCharacter(input)) {
        emit refused(*refusedCharacter);
        return Invalid;
    }
    return Acceptable;
}

void refuseUnwritableCharacters(QLineEdit *edit, Dialogs &dialogs)
{
    auto *validator = new LogTextValidator(edit);
    edit->setValidator(validator);
    Dialogs *shown = &dialogs;
    auto pending = std::make_shared<bool>(false);
    QObject::connect(validator, &LogTextValidator::refused, edit, [edit, shown, pending](QChar c) {
        // The validator runs inside the edit (sometimes twice); one message, once it is over.
        if (*pending)
            return;
        *pending = true;
        QTimer::singleShot(0, edit, [shown, pending, c] {
            *pending = false;
            shown->message(refusedCharacterMessage(c));
        });
    });
}

} // namespace orvel
