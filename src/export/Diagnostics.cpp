#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcExport, "orvel.export")
}
