// Reading a long data file a block of whole lines at a time, so that a pass over a log of a
// million lines never holds it whole. The file is opened and refused as readFileBytes opens
// and refuses it (FileRead.h).
#pragma once

#include "FileRead.h"

#include <QByteArray>
#include <QFile>
#include <functional>
#include <memory>

namespace orvel {

class FileBlocks
{
public:
    explicit FileBlocks(const QString &path, qint64 limit = kMaxDataFileSize);
    ~FileBlocks();
    FileBlocks(const FileBlocks &) = delete;
    FileBlocks &operator=(const FileBlocks &) = delete;

    // Read while the file is open and every read so far went well; otherwise why not (its
    // bytes are always empty).
    const FileBytes &state() const { return m_state; }

    // Hands the file's bytes to each, a block at a time, every block but the last ending
    // after a line end (LF, or CR where a block holds no LF); a line longer than a block
    // makes its block longer. False when each returned false or a read failed (state() then
    // tells why).
    bool forEachBlock(const std::function<bool(const QByteArray &block)> &each,
                      qsizetype blockSize = qsizetype(4) << 20);

private:
    FileBytes m_state;
    std::unique_ptr<QFile> m_file;
    qint64 m_limit;
};

} // namespace orvel
