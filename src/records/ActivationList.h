// Liste_Activite.txt: the activation lines and group blocks, and every operation on them.
#pragma once

#include "Activation.h"
#include "common/TextFile.h"

#include <QStringList>
#include <optional>

namespace orvel {

inline const QString kActivationListFile = QStringLiteral("Liste_Activite.txt");

// The open activations of a reference's group.
struct GroupLookup {
    QStringList openReferences; // in file order; empty when the reference is on no line
    std::optional<int> count;   // lines of the block from the reference to its marker
    bool found = false;         // the reference stands on some line
    bool closed = false;        // its line is one of the counted lines of a closed block
    QStringList workingList;    // the block's references as read, from its first line to the marker
};

// One entry of the reference list: the reference and the index of its line in the file.
struct ListEntry {
    QString reference;
    qsizetype line = -1;
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
    // The same, each with the index of its line.
    QList<ListEntry> entries() const;
    // The index of the last line holding reference, or -1.
    qsizetype lastLineOf(const QString &reference) const;

    // The activation of the last line whose reference equals reference (case-sensitive).
    std::optional<Activation> find(const QString &reference) const;

    bool exists(const QString &reference) const;

    // Writes line in place of the line with the same first 60 characters, else at the end.
    FileResult registerLine(const QString &line);

    // Adds line after the last line, whatever the file holds.
    FileResult appendLine(const QString &line);

    // The group of the line at index lineIndex of the file (one reference may stand on
    // several lines, in several groups).
    static GroupLookup groupAt(const QStringList &lines, qsizetype lineIndex);

    // What a click on the line at lineIndex opens: its group, or its reference alone when the
    // line stands outside any closed block. The working list and count are those of groupAt.
    GroupLookup openGroupAt(qsizetype lineIndex) const;
    static GroupLookup openGroupAt(const QStringList &lines, qsizetype lineIndex);

    // Closes the group being created: the marker and the count line.
    FileResult closeGroup(int count);

private:
    QString m_folder;
};

} // namespace orvel
