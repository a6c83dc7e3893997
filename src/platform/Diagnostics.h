// The logging category of the platform subsystem, "orvel.platform": warnings when something goes
// wrong, never traces of ordinary work.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
}
