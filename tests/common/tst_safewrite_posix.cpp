#include "common/SafeWrite.h"
#include "common/TextFile.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace orvel;
using testing::readBytes;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const QByteArray kLog = "01/01/24  10:00  Q4ABC\r\n01/01/24  10:05  Q4DEF\r\n";

} // namespace

// Replacements among what POSIX systems add: symbolic links, modes, processes seen by id.
class TestSafeWritePosix : public QObject
{
    Q_OBJECT

private slots:
    void replacementKeepsALinkAndThePermissions()
    {
        testing::TestPlatform platform;
        QVERIFY(QDir(platform.folder()).mkdir("elsewhere"));
        const QString target = platform.file("elsewhere/A.txt");
        writeBytes(target, kLog);
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
        const QString link = platform.file("A.txt");
        QVERIFY(QFile::link("elsewhere/A.txt", link));

        QVERIFY(replaceFile(link, {"new"}).ok);

        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readBytes(target), QByteArray("new\r\n"));
        struct stat st;
        QVERIFY(::stat(QFile::encodeName(target).constData(), &st) == 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
        QCOMPARE(testing::scratchFiles(platform.file("elsewhere")), QStringList());
    }

    void keepsScratchFilesOfRunningCopies()
    {
        testing::TestPlatform platform;
        const QString running = QStringLiteral("Temporaire-%1-abc123.tmp").arg(::getppid());
        writeBytes(platform.file(running), kLog);
        QCOMPARE(removeStaleScratchFiles(platform.folder()), 0);
        QVERIFY(QFileInfo::exists(platform.file(running)));
    }
};

ORVEL_TEST_CLASS(TestSafeWritePosix)
#include "tst_safewrite_posix.moc"
