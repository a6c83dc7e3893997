// A harness without libFuzzer: runs it once on each file given, or on every file of each
// folder given, and on an empty input. The test suite replays the seed corpus with it, so that
// every harness is built and its promises checked in every run; an input that libFuzzer kept
// can be replayed the same way under a debugger.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void replay(const QByteArray &bytes)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           static_cast<size_t>(bytes.size()));
}

} // namespace

int main(int argc, char **argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QString given = QFile::decodeName(argv[i]);
        if (!QFileInfo(given).isDir()) {
            files.append(given);
            continue;
        }
        const QDir folder(given);
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
            files.append(folder.filePath(name));
    }
    replay({});
    for (const QString &path : std::as_const(files)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "Entrée illisible : %s\n", qPrintable(path));
            return 1;
        }
        replay(file.readAll());
    }
    std::printf("%lld entrée(s) rejouée(s), et l'entrée vide.\n",
                static_cast<long long>(files.size()));
    return 0;
}
