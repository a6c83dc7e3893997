#include "app/CommandTable.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAppId = QStringLiteral("fr.q1brv.OrvelMulti");

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(root).relativeFilePath(it.next()));
    files.sort();
    return files;
}

// The keys of a desktop entry (QSettings would read the ";" of a list as a comment).
QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

// Runs a validator on a file; its whole output when it refuses the file.
QString refusal(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return program + QStringLiteral(" did not finish");
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    return QString::fromUtf8(process.readAll());
}

} // namespace

// What `cmake --install` puts on a desktop, as the menu and the software centre read it.
class TestInstallation : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

private slots:
    void initTestCase()
    {
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(ORVEL_CMAKE_COMMAND),
                      {"--install", ORVEL_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    }

    void installsTheProgramAndWhatTheDesktopReadsOnly()
    {
        QCOMPARE(
            filesUnder(m_prefix.path()),
            (QStringList{"bin/orvel-multi", "share/applications/" + kAppId + ".desktop",
                         "share/doc/orvel-multi/changelog.gz", "share/doc/orvel-multi/copyright",
                         "share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
                         "share/man/man1/orvel-multi.1.gz",
                         "share/metainfo/" + kAppId + ".metainfo.xml"}));
    }

    // The manual page is written from the command table: every command, form and option is in
    // it. The copyright file carries the licences of the data built into the program.
    void installsAManualPageOfEveryCommandAndTheDataLicences()
    {
        QProcess gunzip;
        gunzip.start(QStringLiteral("gzip"),
                     {"-dc", m_prefix.filePath("share/man/man1/orvel-multi.1.gz")});
        QVERIFY(gunzip.waitForFinished(10000));
        const QString page =
            QString::fromUtf8(gunzip.readAllStandardOutput()).replace(QStringLiteral("\\-"), "-");
        for (const orvel::CommandText &command : orvel::commandTexts()) {
            for (const QString &form : command.forms)
                QVERIFY2(page.contains(form), qPrintable(form));
        }
        for (const auto *options : {&orvel::generalOptionTexts(), &orvel::commandOptionTexts()}) {
            for (const orvel::CommandOptionText &option : *options)
                QVERIFY2(page.contains("--" + option.names.last()),
                         qPrintable(option.names.last()));
        }
        QFile copyright(m_prefix.filePath("share/doc/orvel-multi/copyright"));
        QVERIFY(copyright.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(copyright.readAll());
        for (const QString &paragraph : QStringList{
                 "Files: data/Continents_DXCC.csv", "License: Expat", "Jim Reisert AD1C",
                 "Files: data/france.departments.svg", "License: CC-BY-4.0", "Victor Cazanave"})
            QVERIFY2(text.contains(paragraph), qPrintable(paragraph));
    }

    void menuEntryStartsTheProgramWithItsIcon()
    {
        const QString share = m_prefix.filePath("share/");
        const auto entry = desktopEntry(share + "applications/" + kAppId + ".desktop");
        QCOMPARE(entry.value("Exec"), QString("orvel-multi"));
        QCOMPARE(entry.value("Icon"), kAppId);
        QVERIFY(entry.value("Categories").split(';').contains("HamRadio"));

        QSvgRenderer icon(share + "icons/hicolor/scalable/apps/" + kAppId + ".svg");
        QVERIFY(icon.isValid());
        QCOMPARE(icon.viewBoxF().width(), icon.viewBoxF().height());

        QFile metainfo(share + "metainfo/" + kAppId + ".metainfo.xml");
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        const QString xml = QString::fromUtf8(metainfo.readAll());
        QVERIFY(xml.contains("<id>" + kAppId + "</id>"));
        QVERIFY(
            xml.contains("<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>"));
        QVERIFY(xml.contains("<binary>orvel-multi</binary>"));
    }

    void desktopValidatorsAcceptTheFiles_data()
    {
        QTest::addColumn<QString>("validator");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{}
                                       << "share/applications/" + kAppId + ".desktop";
        QTest::newRow("metainfo") << "appstreamcli" << QStringList{"validate", "--no-net"}
                                  << "share/metainfo/" + kAppId + ".metainfo.xml";
    }
    void desktopValidatorsAcceptTheFiles()
    {
        QFETCH(QString, validator);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        const QString program = QStandardPaths::findExecutable(validator);
        if (program.isEmpty())
            QSKIP(qPrintable(validator + " is not installed (apt-get install desktop-file-utils "
                                         "appstream): the file was not validated"));
        const QString output = refusal(program, arguments << m_prefix.filePath(file));
        QVERIFY2(output.isEmpty(), qPrintable(output));
    }
};

ORVEL_TEST_CLASS(TestInstallation)
#include "tst_install.moc"
