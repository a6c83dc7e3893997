// What the fuzz harnesses share: the input as bytes, a scratch data folder, a hard stop.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace orvel::fuzz {

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Stops the run on a broken promise, so that libFuzzer keeps the input that broke it.
inline void require(bool condition, const char *promise)
{
    if (!condition) {
        std::fprintf(stderr, "Promesse non tenue : %s\n", promise);
        std::abort();
    }
}

// One data folder for the whole run, in memory when the system offers it.
inline QString dataFolder()
{
    static QTemporaryDir folder(QDir("/dev/shm").exists()
                                    ? QStringLiteral("/dev/shm/orvel-fuzz-XXXXXX")
                                    : QDir::tempPath() + "/orvel-fuzz-XXXXXX");
    return folder.path();
}

// The bytes as a file of the data folder.
inline QString writeDataFile(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dataFolder()).filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
    return path;
}

} // namespace orvel::fuzz
