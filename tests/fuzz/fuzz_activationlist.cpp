// Liste_Activite.txt of any content: references listed, groups looked up from every line,
// a registration. No reference that could leave the data folder names a file, and a
// registration keeps every other line.
#include "FuzzSupport.h"
#include "records/Activation.h"
#include "records/ActivationList.h"
#include "common/ReferenceName.h"
#include "common/TextFile.h"

#include <QFileInfo>

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::writeDataFile(kActivationListFile, fuzz::bytesOf(data, size));
    ActivationList list(fuzz::dataFolder());
    const QStringList lines = list.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const GroupLookup group = ActivationList::groupAt(lines, i);
        fuzz::require(group.openReferences.isEmpty() || group.closed,
                      "seul un groupe fermé ouvre des activations");
        for (const QString &reference :
             group.openReferences + QStringList{referenceOfLine(lines.at(i))}) {
            const QString path = referenceFilePath(fuzz::dataFolder(), reference, ".txt");
            fuzz::require(path.isEmpty() || QFileInfo(path).absolutePath() == fuzz::dataFolder(),
                          "un fichier de référence reste dans le dossier des données");
        }
        const Activation activation = parseActivationLine(lines.at(i));
        fuzz::require(formatActivationLine(activation).size() == 139,
                      "une ligne d'activation refaite a 139 colonnes");
    }
    // What a click on each entry opens: a closed group holds the clicked line's reference.
    for (const ListEntry &entry : list.entries()) {
        const GroupLookup opened = list.openGroupAt(entry.line);
        fuzz::require(opened.openReferences.contains(entry.reference),
                      "un clic ouvre au moins la référence cliquée");
    }

    // Registering the first line anew changes no other line.
    if (!lines.isEmpty() && lines.first().size() >= 60) {
        const QString line = lines.first().left(60) + QStringLiteral("NOUVEAU");
        fuzz::require(list.registerLine(line).ok, "l'enregistrement réussit");
        const QStringList after = list.lines();
        fuzz::require(after.size() == lines.size(), "aucune ligne perdue ni ajoutée");
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const bool replaced = lines.at(i).left(60) == line.left(60);
            fuzz::require(after.at(i) == (replaced ? line : lines.at(i)),
                          "les autres lignes restent telles quelles");
        }
    }
    return 0;
}
