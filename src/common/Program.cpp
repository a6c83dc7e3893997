#include "Program.h"
#include "SiteAddress.h"

#include "common/Version.h"

#include <QStringList>

namespace orvel {

QString revisionText()
{
    return QLatin1Char(' ') + QLatin1String(kProgramVersion);
}

QString setupCaption()
{
    return QStringLiteral("  Brivo_Orvel Multi    Revision ") + revisionText();
}

QString revisionHistory()
{
    static const QStringList entries = {
        QStringLiteral("V1.0.0   le 05/09/2013 creation"),
        QStringLiteral("V1.0.0a   le 24/02/2014 Bug meme ref dans entete listes activites"),
        QStringLiteral("V1.0.0b   le 01/03/2014 Bug compage operateurs par touches fonctions"),
        QStringLiteral("V1.0.0c   le 23/04/2014 Enable fenetre 'liste activite' avant 'Terminé'"),
        QStringLiteral("V1.0.0d   le 04/06/2014 Modif sequence saisie et fenetre Activation"),
        QStringLiteral("V1.0.0e   le 30/06/2014 Ajout sorties multiple fichiers ADIF"),
        QStringLiteral("V1.0.0f   le 19/08/2014 Ajout Mode PSK TTY FM"),
        QStringLiteral("V1.0.0g   le 04/02/2015 Ref à 13 caracteres ex DOHF 89EC001a"),
        QStringLiteral("V1.0.1    le 06/09/2015 interdiction du caractere '/' dans la reference"),
        QStringLiteral("V1.0.2    le 22/10/2015 Ajouté historique des activations"),
        QStringLiteral(
            "V1.0.3    le 28/11/2015 Ajouté combo dans type activité et '/' auto dans setup"),
        QStringLiteral(
            "V1.0.3a   le 07/09/2019 Correction bug : Modes PSK TTY FM absents de Carte"),
        QStringLiteral("V1.0.4    le 29/03/2021 Ajout export Adif special DMSM  "),
        QStringLiteral("V1.0.4a   le 20/06/2022 Ajout mode FT8"),
        QStringLiteral("V1.0.4b   le 29/03/2021 Ajout export Adif special WFF  "),
        QStringLiteral("V1.0.4c   le 23/04/2024 Nouveau export Adif prenant en compte les "
                       "nouvelles règles WFF"),
    };
    QString text;
    for (const QString &entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text;
}

QString aboutText()
{
    return QStringLiteral("Brivo_Orvel  Revision ") + revisionText() + QStringLiteral("\r\n\r\n") +
           QStringLiteral("    Carnet de trafic multi-références, par Q1BRV - ") + siteAddress() +
           QStringLiteral("\r\n\r\n") + dataCredits();
}

QString dataCredits()
{
    return QStringLiteral(
        "Carte des départements : svg-maps (Victor Cazanave), d'après MapSVG, licence Creative "
        "Commons Attribution 4.0 (CC BY 4.0).\r\nTable des pays : fichier cty.dat de Jim "
        "Reisert AD1C (country-files.com), licence MIT.");
}

QString manualNotice()
{
    return QStringLiteral("Non disponible");
}

} // namespace orvel
