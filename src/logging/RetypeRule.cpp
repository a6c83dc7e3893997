#include "RetypeRule.h"

namespace orvel {

RetypeEffect retypeEffect(EntryField field, EntryKey key, bool retypeMode, bool editing,
                          bool retypeDone)
{
    if (!retypeMode || retypeDone)
        return RetypeEffect::None;
    switch (field) {
    case EntryField::Call:
        return editing && key != EntryKey::Enter ? RetypeEffect::EmptyField : RetypeEffect::None;
    case EntryField::Department:
    case EntryField::FirstName:
    case EntryField::Date:
    case EntryField::Time:
        return editing && key == EntryKey::Character ? RetypeEffect::EmptyField
                                                     : RetypeEffect::None;
    case EntryField::ReportReceived:
    case EntryField::ReportSent:
        // The default reports are replaced by typing, in live entry too.
        return key != EntryKey::Enter ? RetypeEffect::EmptyField : RetypeEffect::None;
    case EntryField::Remarks:
        return editing ? RetypeEffect::MarkOnly : RetypeEffect::None;
    case EntryField::Operator:
    case EntryField::Mode:
    case EntryField::Band:
    case EntryField::Store:
        break;
    }
    return RetypeEffect::None;
}

} // namespace orvel
