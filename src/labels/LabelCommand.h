// Labels from the command line: orvel-multi [--dossier DIR] etiquettes REFERENCE --pdf FICHIER
// [--format 1-5] [--anglais] [--avec REFERENCE2] [--tx TEXTE] [--antenne TEXTE]
// [--decalage DX,DY]. A label for every QSO of the reference's log, in call-sign order, with
// the station texts, the format and the calibration offset of the settings unless given;
// nothing is asked and no setting is saved.
#pragma once

#include "print/PrintScript.h"

#include <QString>
#include <QStringList>
#include <optional>

class QCommandLineParser;

namespace orvel {

class CommandContext;
class Settings;

struct LabelCommandOptions {
    QString pdfPath;
    std::optional<QString> format;
    bool english = false;
    std::optional<QString> second;
    std::optional<QString> transceiver;
    std::optional<QString> antenna;
    std::optional<QString> offset;
};

LabelCommandOptions labelCommandOptions(const QCommandLineParser &parser);

struct LabelCommandPlan {
    PrintScript script;
    QString pdfPath;
    int labels = 0;
    QString error; // in French; nothing is printed when set
    bool ok() const { return error.isEmpty(); }
};

// arguments: what follows "etiquettes" (a reference given as several words is joined with
// blanks). The reference's group is opened in context.
LabelCommandPlan planLabelCommand(const QStringList &arguments, const LabelCommandOptions &options,
                                  CommandContext &context, const Settings &settings);

QString labelCommandUsage();

} // namespace orvel
