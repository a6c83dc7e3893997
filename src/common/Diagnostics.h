// The logging category of the common subsystem, "orvel.common": warnings when something goes
// wrong, never traces of ordinary work.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcCommon)
}
