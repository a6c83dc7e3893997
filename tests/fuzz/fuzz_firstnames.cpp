// Liste_Prenom.txt of any content, and any first-name key line: after the update the call
// sign's lines hold the new values, every other line is unchanged, and the look-up finds
// what was written.
#include "FuzzSupport.h"
#include "common/FixedColumns.h"
#include "common/TextFile.h"
#include "common/Windows1252.h"
#include "records/FirstNames.h"
#include "records/QsoLine.h"

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line of the input is the key line, the rest the memory's file.
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QString keyLine = decodeWindows1252(end < 0 ? bytes : bytes.left(end));
    fuzz::writeDataFile(kFirstNamesFile, end < 0 ? QByteArray() : bytes.mid(end + 1));

    const FirstNames names(fuzz::dataFolder());
    const QStringList before = readLines(names.path());
    const QString line = withoutControlCharacters(keyLine);
    const QString call = trimmedColumn(line, qsocol::kNameCall).toString();
    names.lookup(call);
    if (!names.update(keyLine).ok)
        return 0; // a key line the files cannot hold is refused, the memory untouched
    const QStringList after = readLines(names.path());
    if (call.isEmpty()) {
        fuzz::require(after == before, "une ligne sans indicatif ne change rien");
        return 0;
    }
    bool found = false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const bool same = trimmedColumn(before.at(i), qsocol::kNameCall) == call;
        found = found || same;
        fuzz::require(after.value(i) == (same ? line : before.at(i)),
                      "les lignes des autres indicatifs restent telles quelles");
    }
    fuzz::require(after.size() == before.size() + (found ? 0 : 1), "une seule ligne ajoutée");
    const auto remembered = names.lookup(call);
    fuzz::require(remembered &&
                      remembered->firstName == restFrom(line, qsocol::kNameFirstName).toString(),
                  "le prénom est retrouvé");
    return 0;
}
