#include "LogBytes.h"

#include "common/Windows1252.h"

namespace orvel {

QString decodedBytes(LogBytes bytes)
{
    return decodeWindows1252(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

} // namespace orvel
