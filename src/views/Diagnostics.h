// The logging category of the views subsystem, "orvel.views": warnings when a table or the map
// cannot be read as expected, never traces of ordinary work.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcViews)
}
