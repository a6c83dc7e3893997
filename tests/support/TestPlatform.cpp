#include "TestPlatform.h"

#include "common/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace orvel::testing {

void writeFile(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(fileBytes(lines));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList scratchFiles(const QString &folder)
{
    QStringList found;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        if (isScratchFileName(name))
            found.append(name);
    }
    return found;
}

qint64 endedProcessId()
{
    // A copy of this test program asked for its usage, which it prints before it ends.
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("-help")});
    if (!process.waitForStarted(60000))
        return 0;
    const qint64 pid = process.processId();
    process.waitForFinished(60000);
    return pid;
}

QString TestPlatform::file(const QString &name) const
{
    return QDir(dir.path()).filePath(name);
}

} // namespace orvel::testing
