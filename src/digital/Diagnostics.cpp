#include "Diagnostics.h"

namespace orvel {
// Off unless asked for (QT_LOGGING_RULES="orvel.*=true").
Q_LOGGING_CATEGORY(lcDigital, "orvel.digital", QtCriticalMsg)
} // namespace orvel
