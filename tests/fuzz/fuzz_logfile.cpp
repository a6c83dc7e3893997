// A log file of any content: read into lines, then written as ADIF (each layout) and as
// C_Trafic. No line keeps a line end, no control byte reaches an export, every .ctf line has
// its 199 columns.
#include "FuzzSupport.h"
#include "common/TextFile.h"
#include "common/Windows1252.h"
#include "export/AdifWriter.h"
#include "export/CTraficWriter.h"
#include "records/QsoLine.h"

#include <QBuffer>
#include <QDateTime>

using namespace orvel;

namespace {

// Control bytes: only CR LF, as a pair, may appear.
void requireNoControlBytes(const QByteArray &bytes, const char *promise)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r')
            fuzz::require(i + 1 < bytes.size() && bytes[i + 1] == '\n', promise);
        else if (c == '\n')
            fuzz::require(i > 0 && bytes[i - 1] == '\r', promise);
        else
            fuzz::require(c >= 0x20 && c != 0x7f, promise);
    }
}

QByteArray written(const std::function<bool(QIODevice &)> &write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    fuzz::require(write(buffer), "l'écriture en mémoire réussit");
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray log = fuzz::bytesOf(data, size);
    const QString text = decodeWindows1252(log);
    const QList<QStringView> lines = lineViews(text);
    QStringList copies;
    for (const QStringView line : lines) {
        fuzz::require(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
                      "une ligne lue ne contient pas de fin de ligne");
        copies.append(line.toString());
        parseQsoLine(copies.last());
    }
    // A file written from the lines reads back as the same lines.
    fuzz::require(lineViews(decodeWindows1252(fileBytes(copies))) == lines,
                  "les lignes relues sont celles écrites");

    const QDateTime created(QDate(2024, 6, 1), QTime(12, 0), Qt::UTC);
    for (const AdifVariant variant : {AdifVariant::Standard, AdifVariant::Wff, AdifVariant::Dmsm}) {
        const AdifFileData file{variant, QStringLiteral("DFCF 89010"), QStringLiteral("Q4XYZ/P")};
        requireNoControlBytes(
            written([&](QIODevice &d) { return writeAdif(d, log, file, created); }),
            "aucun caractère de contrôle dans l'ADIF");
    }
    const QByteArray ctf = written([&](QIODevice &d) { return writeCTrafic(d, log); });
    requireNoControlBytes(ctf, "aucun caractère de contrôle dans le C_Trafic");
    for (const QByteArray &line : ctf.split('\n')) {
        fuzz::require(line.isEmpty() || line.size() == kCTraficLineLength + 1,
                      "chaque ligne C_Trafic a ses 199 colonnes");
    }
    return 0;
}
