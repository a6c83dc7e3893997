// Writes the manual page of orvel-multi, from the command table, on standard output.
// Arguments: the version, the month (1-12) and the year the page is dated.
#include "CommandTable.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    static const QStringList months{
        QStringLiteral("janvier"), QStringLiteral("février"),  QStringLiteral("mars"),
        QStringLiteral("avril"),   QStringLiteral("mai"),      QStringLiteral("juin"),
        QStringLiteral("juillet"), QStringLiteral("août"),     QStringLiteral("septembre"),
        QStringLiteral("octobre"), QStringLiteral("novembre"), QStringLiteral("décembre")};
    const int month = arguments.value(2).toInt();
    if (arguments.size() != 4 || month < 1 || month > 12) {
        QTextStream(stderr) << "Usage : orvel-manpage VERSION MOIS ANNEE\n";
        return 1;
    }
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << orvel::manualPage(arguments.at(1),
                             months.at(month - 1) + QLatin1Char(' ') + arguments.at(3));
    return 0;
}
