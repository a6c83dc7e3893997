// The logging category of the labels subsystem, "orvel.labels": warnings when something goes
// wrong, never traces of ordinary work.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcLabels)
}
