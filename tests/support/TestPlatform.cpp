#include "TestPlatform.h"

#include "common/TextFile.h"

#include <QDir>
#include <QFile>

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

QString TestPlatform::file(const QString &name) const
{
    return QDir(dir.path()).filePath(name);
}

} // namespace orvel::testing
