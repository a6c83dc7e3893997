// The logging category of the radio layer, "orvel.radio": warnings when something goes wrong,
// never traces of ordinary work.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcRadio)
}
