#include "CommandTable.h"

namespace orvel {

namespace {

const QString kFolderForm = QStringLiteral("[--dossier DOSSIER] ");

} // namespace

const QList<CommandText> &commandTexts()
{
    static const QList<CommandText> commands{
        {QStringLiteral("exporter"),
         {QStringLiteral("exporter adif|ctrafic REFERENCE")},
         QStringLiteral("Ouvre la référence avec tout son groupe et exporte le log de chacune de "
                        "ses références au format ADIF (.adi) ou C_Trafic (.ctf), dans le dossier "
                        "de données. Un parc POTA donne aussi un fichier par jour prêt à être "
                        "envoyé."),
         {}},
        {QStringLiteral("importer"),
         {QStringLiteral("importer REFERENCE FICHIER.adi")},
         QStringLiteral("Importe les QSO d'un fichier ADIF (un autre logiciel, un téléphone) dans "
                        "les logs du groupe de la référence, chacun à sa place par date et heure, "
                        "comme s'ils avaient été saisis ; les QSO déjà dans le log sont laissés "
                        "de côté et les enregistrements refusés sont nommés avec leur raison. Le "
                        "résumé est écrit sur la sortie standard."),
         {}},
        {QStringLiteral("ecouter"),
         {QStringLiteral("ecouter REFERENCE [--port N] [--adresse ADRESSE]")},
         QStringLiteral("Reçoit les QSO que WSJT-X ou JTDX enregistrent (messages UDP) et les "
                        "écrit dans les logs du groupe de la référence, chacun à sa date et son "
                        "heure, comme s'ils avaient été saisis, jusqu'à l'interruption (Ctrl+C). "
                        "Une ligne HH:MM INDICATIF BANDE MODE par QSO sur la sortie standard."),
         {QStringLiteral("port"), QStringLiteral("adresse")}},
        {QStringLiteral("enregistrer"),
         {QStringLiteral("enregistrer log|alpha REFERENCE")},
         QStringLiteral("Enregistre la liste du log de la référence, dans l'ordre des QSO (log) "
                        "ou dans l'ordre des indicatifs (alpha), dans un fichier texte daté du "
                        "dossier de données."),
         {}},
        {QStringLiteral("afficher"),
         {QStringLiteral("afficher log|alpha|operateurs REFERENCE"),
          QStringLiteral("afficher pays|departements REFERENCE [--bande BANDE] [--mode MODE]")},
         QStringLiteral("Écrit sur la sortie standard la liste du log, le log alphanumérique, la "
                        "liste des opérateurs, les pays contactés ou les départements contactés "
                        "(sur une bande et dans un mode donnés)."),
         {QStringLiteral("bande"), QStringLiteral("mode")}},
        {QStringLiteral("imprimer"),
         {QStringLiteral("imprimer log REFERENCE --pdf FICHIER")},
         QStringLiteral("Imprime la liste du log de la référence dans un fichier PDF, avec la mise "
                        "en page de l'impression depuis la fenêtre du log."),
         {QStringLiteral("pdf")}},
        {QStringLiteral("etiquettes"),
         {QStringLiteral("etiquettes REFERENCE --pdf FICHIER [--format 1-5] [--anglais] "
                         "[--avec REFERENCE2] [--tx TEXTE] [--antenne TEXTE] "
                         "[--decalage DX,DY]")},
         QStringLiteral("Imprime dans un fichier PDF les étiquettes QSL de tous les QSO du log de "
                        "la référence, sur la planche du format choisi."),
         {QStringLiteral("pdf"), QStringLiteral("format"), QStringLiteral("anglais"),
          QStringLiteral("avec"), QStringLiteral("tx"), QStringLiteral("antenne"),
          QStringLiteral("decalage")}},
        {QStringLiteral("pays"),
         {QStringLiteral("pays CTY.DAT")},
         QStringLiteral("Construit la table des pays (Continents_DXCC.csv) du dossier de données à "
                        "partir d'un fichier de pays au format cty.dat."),
         {}},
        {QStringLiteral("radio"),
         {QStringLiteral("radio --rigctld HOTE:PORT"),
          QStringLiteral("radio --modele N [--port PERIPHERIQUE] [--vitesse BAUDS]")},
         QStringLiteral("Lit une fois la radio par Hamlib, à travers rigctld ou en liaison directe, "
                        "et écrit FREQUENCE_HZ;BANDE;MODE avec la bande et le mode que la fenêtre "
                        "de saisie prendrait (la bande est vide hors des bandes)."),
         {QStringLiteral("rigctld"), QStringLiteral("modele"), QStringLiteral("port"),
          QStringLiteral("vitesse")}},
    };
    return commands;
}

const QList<CommandOptionText> &generalOptionTexts()
{
    static const QList<CommandOptionText> options{
        {{QStringLiteral("dossier")},
         QStringLiteral("DOSSIER"),
         QStringLiteral("Dossier des fichiers de données, créé s'il n'existe pas.")},
        {{QStringLiteral("h"), QStringLiteral("help")},
         QString(),
         QStringLiteral("Affiche cette aide.")},
        {{QStringLiteral("v"), QStringLiteral("version")},
         QString(),
         QStringLiteral("Affiche la version du programme.")},
    };
    return options;
}

const QList<CommandOptionText> &commandOptionTexts()
{
    static const QList<CommandOptionText> options{
        {{QStringLiteral("pdf")},
         QStringLiteral("FICHIER"),
         QStringLiteral("Fichier PDF à écrire (imprimer, etiquettes).")},
        {{QStringLiteral("bande")},
         QStringLiteral("BANDE"),
         QStringLiteral("Bande des départements affichés (\"14 Mhz\").")},
        {{QStringLiteral("mode")},
         QStringLiteral("MODE"),
         QStringLiteral("Mode des départements affichés (SSB, CW...).")},
        {{QStringLiteral("format")},
         QStringLiteral("1-5"),
         QStringLiteral("Étiquettes : format de planche, de 1 à 5.")},
        {{QStringLiteral("anglais")}, QString(), QStringLiteral("Étiquettes : textes en anglais.")},
        {{QStringLiteral("avec")},
         QStringLiteral("REFERENCE2"),
         QStringLiteral("Étiquettes : seconde activation nommée.")},
        {{QStringLiteral("tx")},
         QStringLiteral("TEXTE"),
         QStringLiteral("Étiquettes : texte du transceiver.")},
        {{QStringLiteral("antenne")},
         QStringLiteral("TEXTE"),
         QStringLiteral("Étiquettes : texte de l'antenne.")},
        {{QStringLiteral("decalage")},
         QStringLiteral("DX,DY"),
         QStringLiteral("Étiquettes : décalage de calage en millimètres, vers la droite et vers "
                        "le bas.")},
        {{QStringLiteral("rigctld")},
         QStringLiteral("HOTE:PORT"),
         QStringLiteral("Radio : rigctld à interroger (127.0.0.1:4532).")},
        {{QStringLiteral("modele")},
         QStringLiteral("N"),
         QStringLiteral("Radio : numéro du modèle Hamlib (liaison directe, rigctl -l les donne).")},
        {{QStringLiteral("port")},
         QStringLiteral("PERIPHERIQUE"),
         QStringLiteral("Radio : port série de la liaison directe (/dev/ttyUSB0). Écouter : "
                        "port UDP où WSJT-X envoie ses messages (2237).")},
        {{QStringLiteral("adresse")},
         QStringLiteral("ADRESSE"),
         QStringLiteral("Écouter : adresse IP à écouter (127.0.0.1), ou groupe de multidiffusion "
                        "à rejoindre (224.0.0.1).")},
        {{QStringLiteral("vitesse")},
         QStringLiteral("BAUDS"),
         QStringLiteral("Radio : vitesse du port série en bauds (celle du modèle sinon).")},
    };
    return options;
}

const QList<ExitStatusText> &exitStatusTexts()
{
    static const QList<ExitStatusText> statuses{
        {0, QStringLiteral("La commande a fait ce qui était demandé (ou les fenêtres ont été "
                           "fermées normalement).")},
        {1, QStringLiteral("La commande a été refusée ou n'a pas pu aboutir : le message, en "
                           "français, est écrit sur la sortie d'erreur ; aucun fichier n'a été "
                           "laissé à moitié écrit. Un groupe dont les logs ne s'accordent plus "
                           "après un arrêt brutal du programme est refusé : ouvrez-le d'abord "
                           "avec « Saisie des QSO », qui propose de les remettre d'accord.")},
        {2, QStringLiteral("La radio n'a pas répondu dans les 5 secondes (commande radio) : le "
                           "message, en français, est écrit sur la sortie d'erreur.")},
    };
    return statuses;
}

namespace {

QString optionUsage(const CommandOptionText &option)
{
    QStringList names;
    for (const QString &name : option.names)
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString usage = names.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty())
        usage += QLatin1Char(' ') + option.valueName;
    return usage;
}

// A roff text: a leading dot or quote would be read as a request, a backslash as an escape,
// a hyphen as a hyphen rather than the minus of an option.
QString roff(QString text)
{
    text.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    text.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1Char('\'')))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

// text cut into lines of at most 80 characters, each after indent.
QString wrapped(const QString &text, const QString &indent)
{
    QString out;
    QString line = indent;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (line.size() > indent.size() && line.size() + 1 + word.size() > 80) {
            out += line + QLatin1Char('\n');
            line = indent;
        }
        if (line.size() > indent.size())
            line += QLatin1Char(' ');
        line += word;
    }
    return out + line + QLatin1Char('\n');
}

QString roffOption(const CommandOptionText &option)
{
    QStringList names;
    for (const QString &name : option.names)
        names.append((name.size() == 1 ? QStringLiteral("\\-") : QStringLiteral("\\-\\-")) + name);
    if (option.valueName.isEmpty())
        return QStringLiteral(".B ") + names.join(QStringLiteral(", "));
    return QStringLiteral(".BI \"") + names.join(QStringLiteral(", ")) + QStringLiteral(" \" ") +
           roff(option.valueName);
}

} // namespace

QString commandLineHelp()
{
    QString text;
    text += QStringLiteral("Usage : orvel-multi %1[commande ...]\n\n").arg(kFolderForm);
    text += QStringLiteral("Orvel Multi : carnet de trafic pour les activations de références.\n"
                           "Sans commande, ouvre la fenêtre d'enregistrement des activations.\n\n");
    const auto listOptions = [&text](const QList<CommandOptionText> &options) {
        for (const CommandOptionText &option : options)
            text += QStringLiteral("  %1\n").arg(optionUsage(option)) +
                    wrapped(option.description, QStringLiteral("      "));
    };
    text += QStringLiteral("Options :\n");
    listOptions(generalOptionTexts());
    text += QStringLiteral("\nCommandes :\n");
    for (const CommandText &command : commandTexts()) {
        for (const QString &form : command.forms)
            text += wrapped(form, QStringLiteral("  "));
        text += wrapped(command.description, QStringLiteral("      "));
    }
    text += QStringLiteral("\nOptions des commandes :\n");
    listOptions(commandOptionTexts());
    text += QStringLiteral("\nCode de sortie :\n");
    for (const ExitStatusText &status : exitStatusTexts())
        text += QStringLiteral("  %1\n").arg(status.status) +
                wrapped(status.meaning, QStringLiteral("      "));
    return text;
}

QString manualPage(const QString &version, const QString &month)
{
    QStringList page;
    page << QStringLiteral(".TH ORVEL\\-MULTI 1 \"%1\" \"Orvel Multi %2\" \"Radioamateur\"")
                .arg(month, roff(version));
    page << QStringLiteral(".SH NOM")
         << QStringLiteral("orvel\\-multi \\- carnet de trafic pour les activations de références "
                           "radioamateur");
    page << QStringLiteral(".SH SYNOPSIS");
    page << QStringLiteral(".B orvel\\-multi") << QStringLiteral(".RB [ \\-\\-dossier")
         << QStringLiteral(".IR DOSSIER ]");
    for (const CommandText &command : commandTexts()) {
        for (const QString &form : command.forms) {
            page << QStringLiteral(".br") << QStringLiteral(".B orvel\\-multi")
                 << QStringLiteral(".RB [ \\-\\-dossier") << QStringLiteral(".IR DOSSIER ]")
                 << roff(form);
        }
    }
    page << QStringLiteral(".SH DESCRIPTION") << QStringLiteral("Sans commande,")
         << QStringLiteral(".B orvel\\-multi")
         << QStringLiteral("ouvre la fenêtre d'enregistrement des activations, puis la saisie "
                           "des QSO. Plusieurs références peuvent être ouvertes à la fois : "
                           "chaque QSO saisi est ajouté au log de chacune d'elles.")
         << QStringLiteral(".PP")
         << QStringLiteral("Une commande travaille sans fenêtre sur le dossier de données ; une "
                           "référence y est ouverte avec tout son groupe, comme le fait la saisie "
                           "des QSO.");
    page << QStringLiteral(".SH COMMANDES");
    for (const CommandText &command : commandTexts()) {
        page << QStringLiteral(".TP");
        page << QStringLiteral(".B ") + command.verb;
        page << roff(command.description);
        for (const QString &form : command.forms)
            page << QStringLiteral(".br") << QStringLiteral(".I ") + roff(form);
    }
    page << QStringLiteral(".SH OPTIONS");
    for (const auto *options : {&generalOptionTexts(), &commandOptionTexts()}) {
        for (const CommandOptionText &option : *options)
            page << QStringLiteral(".TP") << roffOption(option) << roff(option.description);
    }
    page << QStringLiteral(".SH \"CODE DE SORTIE\"");
    for (const ExitStatusText &status : exitStatusTexts())
        page << QStringLiteral(".TP") << QStringLiteral(".B %1").arg(status.status)
             << roff(status.meaning);
    page << QStringLiteral(".SH FICHIERS") << QStringLiteral(".TP")
         << QStringLiteral(".I ~/.local/share/orvel\\-multi/")
         << QStringLiteral("Dossier de données par défaut d'un programme installé : liste des "
                           "activations")
         << QStringLiteral(".RI ( Liste_Activite.txt ),")
         << QStringLiteral("un log par référence, mémoire des prénoms")
         << QStringLiteral(".RI ( Liste_Prenom.txt )") << QStringLiteral("et fichiers exportés.")
         << QStringLiteral(".TP") << QStringLiteral(".I ~/.config/Orvel Multi/Orvel Multi.conf")
         << QStringLiteral("Réglages de la saisie.") << QStringLiteral(".TP")
         << QStringLiteral(".I ~/.config/Orvel/Orvel.conf")
         << QStringLiteral("Réglages des étiquettes QSL.");
    return page.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace orvel
