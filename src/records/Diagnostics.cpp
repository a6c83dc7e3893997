#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcRecords, "orvel.records")
}
