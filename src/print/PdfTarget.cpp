#include "PdfTarget.h"

#include "common/FileRead.h"
#include "common/SafeWrite.h"
#include "platform/DataFolderLock.h"
#include "records/UnfinishedWrites.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace orvel {

namespace {

// The names the program gives its data files, in any data folder.
bool isDataFileName(const QString &fileName)
{
    static const QStringList suffixes = {
        QStringLiteral("txt"), QStringLiteral("journal"), QStringLiteral("lock"),
        QStringLiteral("tmp"), QStringLiteral("adi"),     QStringLiteral("adif"),
        QStringLiteral("ctf"), QStringLiteral("csv"),
    };
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffixes.contains(suffix) || isScratchFileName(fileName) ||
           fileName.compare(kDataFolderLockFile, Qt::CaseInsensitive) == 0 ||
           fileName.compare(WriteJournal::fileName(), Qt::CaseInsensitive) == 0;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Whether the regular file at path starts as every PDF file does.
bool startsAsPdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(5) == QByteArrayLiteral("%PDF-");
}

} // namespace

QString pdfTargetRefusal(const QString &path)
{
    if (path.trimmed().isEmpty())
        return QStringLiteral("Aucun fichier PDF n'est indiqué.");
    const QFileInfo target(path);
    QStringList names{target.fileName()};
    // A link is written through: what it leads to counts, even when it is not there yet.
    if (target.isSymLink()) {
        names.append(QFileInfo(target.symLinkTarget()).fileName());
        const QString final = target.canonicalFilePath();
        if (!final.isEmpty())
            names.append(QFileInfo(final).fileName());
    }
    for (const QString &name : std::as_const(names)) {
        if (isDataFileName(name))
            return QStringLiteral("Le fichier %1 porte le nom d'un fichier de données (%2) : un "
                                  "PDF ne s'écrit pas à sa place. Choisissez un nom en .pdf.")
                .arg(shown(path), name);
    }
    if (!target.exists())
        return {};
    if (const auto problem = unreadableFileProblem(path, std::numeric_limits<qint64>::max()))
        return QStringLiteral("%1 Aucun PDF n'y a été écrit.").arg(*problem);
    if (!startsAsPdf(path))
        return QStringLiteral("Le fichier %1 existe et n'est pas un PDF : il n'est pas remplacé. "
                              "Choisissez un autre nom de fichier.")
            .arg(shown(path));
    return {};
}

} // namespace orvel
