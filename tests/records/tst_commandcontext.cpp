// What a command works with is made once: the lock is tried once and its refusal told once,
// and the group first opened is the one every later step of the command sees.
#include "platform/DataFolderLock.h"
#include "records/ActivationList.h"
#include "records/CommandContext.h"
#include "records/Session.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace orvel;

class TestCommandContext : public QObject
{
    Q_OBJECT

private slots:
    // Tried once, its refusal told once; once taken, held until the command ends.
    void theLockIsTriedOnceAndHeldToTheEnd()
    {
        QTemporaryDir folder;
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        {
            DataFolderLock windows(folder.path());
            QVERIFY(windows.acquire());
            CommandContext refused(folder.path(), outStream, errStream);
            QVERIFY(!refused.lockFolder());
            const QString told = err;
            QVERIFY(!told.isEmpty());
            QVERIFY(!refused.lockFolder());
            QCOMPARE(err, told);
        }
        {
            CommandContext context(folder.path(), outStream, errStream);
            QVERIFY(context.lockFolder());
            QVERIFY(context.lockFolder());
            QVERIFY(!DataFolderLock(folder.path()).acquire());
        }
        QVERIFY(DataFolderLock(folder.path()).acquire());
        QVERIFY(out.isEmpty());
    }

    void theFirstGroupOpenedStays()
    {
        QTemporaryDir folder;
        QString text;
        QTextStream stream(&text);
        CommandContext context(folder.path(), stream, stream);
        const QString reference = QStringLiteral("DFCF 89010");
        QVERIFY(context.openGroup(reference, GroupScope::Reference)
                    .refusal.startsWith(QStringLiteral("Référence inconnue")));

        Activation activation;
        activation.reference = reference;
        activation.activator = QStringLiteral("F1ABC");
        QVERIFY(ActivationList(folder.path()).registerLine(formatActivationLine(activation)).ok);
        // Still the group of the command's start, even named otherwise.
        QVERIFY(!context.openGroup(reference, GroupScope::WholeGroup).ok());

        CommandContext fresh(folder.path(), stream, stream);
        const CommandGroup &group = fresh.openGroup(reference, GroupScope::WholeGroup);
        QVERIFY2(group.ok(), qPrintable(group.refusal));
        Session &session = fresh.session();
        QCOMPARE(&fresh.session(), &session);
        QCOMPARE(session.currentReference(), reference);
        QCOMPARE(session.openReferences(), QStringList{reference});
    }
};

ORVEL_TEST_CLASS(TestCommandContext)
#include "tst_commandcontext.moc"
