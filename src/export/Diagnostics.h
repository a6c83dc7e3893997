// The logging category of the export subsystem, "orvel.export": warnings when something goes
// wrong, never traces of ordinary work.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcExport)
}
