// Labels from the command line: orvel-multi [--dossier DIR] etiquettes REFERENCE --pdf FICHIER
// [--format 1-5] [--anglais] [--avec REFERENCE2] [--tx TEXTE] [--antenne TEXTE]
// [--decalage DX,DY]. A label for every QSO of the reference's log, in call-sign order, with
// the station texts, the format and the calibration offset of the settings unless given;
// nothing is asked and no setting is saved.
#pragma once

#include "LabelRun.h"
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
    // The run, its entries made from the log's rows as the labels are drawn.
    LabelRunInput input;
    QString pdfPath;
    int labels = 0;
    QString error; // in French; nothing is printed when set
    bool ok() const { return error.isEmpty(); }
    // The run's script, whole or a sheet at a time (empty when the plan failed).
    PrintScript script() const { return ok() ? labelRunScript(input) : PrintScript(); }
    ScriptPieces pieces() const { return labelRunPieces(input); }
};

// arguments: what follows "etiquettes" (a reference given as several words is joined with
// blanks). The reference's group is opened in context.
LabelCommandPlan planLabelCommand(const QStringList &arguments, const LabelCommandOptions &options,
                                  CommandContext &context, const Settings &settings);

QString labelCommandUsage();

} // namespace orvel
