#include "platform/Settings.h"
#include "platform/WorkingDirectory.h"
#include "support/TestPlatform.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace orvel;

class TestPlatformSeams : public QObject
{
    Q_OBJECT

private slots:
    void choosesTheWorkingDirectory()
    {
        QTemporaryDir base;
        const QString exe = base.filePath("exe");
        const QString user = base.filePath("user/data");
        QVERIFY(QDir().mkpath(exe));
        const auto native = [](const QString &path) { return QDir::toNativeSeparators(path); };

        // The command line wins, and its folder is created.
        QCOMPARE(chooseWorkingDirectory(base.filePath("cli/x"), exe, user), native(base.filePath("cli/x")));
        QVERIFY(QDir(base.filePath("cli/x")).exists());
        // Else a writable program folder (portable installation).
        QCOMPARE(chooseWorkingDirectory({}, exe, user), native(exe));
        // Else the user's data folder, created when missing.
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner);
        if (!isWritableFolder(exe)) { // root writes anywhere
            QCOMPARE(chooseWorkingDirectory({}, exe, user), native(user));
            QVERIFY(QDir(user).exists());
        }
        QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(chooseWorkingDirectory({}, base.filePath("missing"), user), native(user));

        // An installed program never writes beside itself, even where it may (root in /usr/bin).
        QVERIFY(QDir().mkpath(base.filePath("usr/bin")) &&
                QDir().mkpath(base.filePath("usr/share")));
        QCOMPARE(chooseWorkingDirectory({}, base.filePath("usr/bin"), user), native(user));
        // Nor beside the uninstaller the Windows installer leaves with it.
        QVERIFY(QDir().mkpath(base.filePath("Program Files/Orvel Multi")));
        QFile uninstaller(base.filePath("Program Files/Orvel Multi/" + kUninstallerFileName));
        QVERIFY(uninstaller.open(QIODevice::WriteOnly));
        uninstaller.close();
        QCOMPARE(chooseWorkingDirectory({}, base.filePath("Program Files/Orvel Multi"), user),
                 native(user));
        // A portable copy in a folder named bin, with no share beside it, stays portable.
        QVERIFY(QDir().mkpath(base.filePath("usb/bin")));
        QCOMPARE(chooseWorkingDirectory({}, base.filePath("usb/bin"), user),
                 native(base.filePath("usb/bin")));
    }

    void reportsAFolderThatCannotBeCreated()
    {
        QTemporaryDir base;
        QFile blocker(base.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString error;
        QCOMPARE(chooseWorkingDirectory(base.filePath("file/sub"), {}, {}, &error), QString());
        QVERIFY(error.startsWith("Impossible de créer le dossier de données"));
    }

    void keepsSettingsPerApplicationAndSection()
    {
        QTemporaryDir folder;
        {
            QtSettings settings(folder.path());
            settings.setValue(kAppMulti, kSetupSection, "Revision", " 1.0.4c");
            settings.setValue(kAppLabels, kSetupSection, "N° Etiquette", "3");
        }
        QtSettings reread(folder.path());
        QCOMPARE(reread.value(kAppMulti, kSetupSection, "Revision"), QString(" 1.0.4c"));
        QCOMPARE(reread.value(kAppLabels, kSetupSection, "N° Etiquette", "1"), QString("3"));
        QCOMPARE(reread.value(kAppLabels, kSetupSection, "Antenne", "rien"), QString("rien"));
        QCOMPARE(reread.value(kAppMulti, "Setup", "Revision", "autre section"), QString("autre section"));
        QVERIFY(QFile::exists(folder.filePath("Orvel Multi.ini")));
        QVERIFY(QFile::exists(folder.filePath("Orvel.ini")));
    }
};

ORVEL_TEST_CLASS(TestPlatformSeams)
#include "tst_platform.moc"
