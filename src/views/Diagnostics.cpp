#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcViews, "orvel.views")
}
