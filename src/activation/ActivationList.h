// Liste_Activite.txt: the activation lines and group blocks, and every operation on them.
#pragma once

#include "Activation.h"
#include "common/TextFile.h"

#include <QStringList>
#include <optional>

namespace orvel {

inline const QString kActivationListFile = QStringLiteral("Liste_Activite.txt");
inline const QString kScratchFile = QStringLiteral("Temporaire.txt");

// The open activations of a reference's group.
struct GroupLookup {
    QStringList openReferences; // in file order; empty when the reference is on no line
    std::optional<int> count;   // lines of the block from the reference to its marker
    bool found = false;         // the reference stands on some line
    bool closed = false;        // its block has a marker
};

class ActivationList
{
public:
    explicit ActivationList(QString folder);

    QString path() const;

    // The lines of the file; a missing file is an empty list.
    QStringList lines() const;

    // The references in file order, marker and count lines left out.
    QStringList references() const;

    // The activation of the last line whose reference equals reference (case-sensitive).
    std::optional<Activation> find(const QString &reference) const;

    bool exists(const QString &reference) const;

    // Writes line in place of the line with the same first 60 characters, else at the end.
    FileResult registerLine(const QString &line);

    // The whole group whose block holds reference. A reference whose block is not closed
    // (no marker before the end of the file) opens nothing; see openGroup.
    GroupLookup lookupGroup(const QString &reference) const;

    // The open activations for reference: its group, or the reference alone when it stands
    // outside any closed block.
    QStringList openGroup(const QString &reference) const;

    // Closes the group being created: the marker and the count line.
    FileResult closeGroup(int count);

private:
    QString m_folder;
};

} // namespace orvel
