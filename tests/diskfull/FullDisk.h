// A small disk that a test fills to its last byte and empties again.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace orvel::testing {

class FullDisk
{
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // Makes the disk ready; the reason, in French, when it cannot be (the test is then skipped).
    QString prepare();
    QString path() const { return m_folder.path(); }
    // From now on no file of the disk can grow.
    void fill();
    // Room again.
    void makeRoom();
    // Whether a file of the folder is the test's own filling rather than a file of the program.
    static bool isFiller(const QString &fileName);

private:
    struct Filling;
    QTemporaryDir m_folder;
    bool m_mounted = false;
    std::unique_ptr<Filling> m_filling;
};

} // namespace orvel::testing
