#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcHelp, "orvel.help")
}
