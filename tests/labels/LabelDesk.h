// The label windows on a session of two open activations, with the platform doubles, and the
// text of a PDF file as pdftotext reads it.
#pragma once

#include "LabelFixtures.h"
#include "labels/Etiquettes.h"
#include "labels/Select_Acti.h"
#include "labels/Select_QSO.h"
#include "platform/Services.h"
#include "records/Session.h"
#include "support/TestPlatform.h"

#include <QAbstractItemView>
#include <QProcess>
#include <QTest>

#include <memory>

namespace orvel::testing {

struct LabelDesk {
    TestPlatform platform;
    Session session{platform.folder()};
    Services services{platform.settings, platform.clock, platform.dialogs, platform.folder()};
    std::unique_ptr<Select_QSO> window;

    explicit LabelDesk(const QStringList &log, bool writeLog = true)
    {
        writeFile(
            platform.file("Liste_Activite.txt"),
            {formatActivationLine(castle()), formatActivationLine(mill()), kGroupMarker, "2"});
        if (writeLog)
            writeFile(platform.file("DFCF 34005.txt"), log);
        session.open(castle(), {castle().reference, mill().reference});
        window = std::make_unique<Select_QSO>(services, session,
                                              std::make_shared<RememberedActivations>());
        window->show();
    }
    // The activation and label windows have no parent (in the program they stay open on their
    // own): they go with the desk, before the settings and the session they were given.
    ~LabelDesk()
    {
        if (Select_Acti *activations = window->activationWindow()) {
            delete activations->labelWindow();
            delete activations;
        }
    }
    LabelDesk(const LabelDesk &) = delete;
    LabelDesk &operator=(const LabelDesk &) = delete;

    template <typename W> W *get(QWidget *in, const char *name) const
    {
        W *widget = in->findChild<W *>(QLatin1String(name));
        Q_ASSERT(widget);
        return widget;
    }

    static void clickRow(QAbstractItemView *view, int row)
    {
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    static void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }
};

// The text of a PDF file laid out by pdftotext; empty when the tool fails.
inline QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pdfPages(const QString &text)
{
    return int(text.count(QLatin1Char('\f')));
}

} // namespace orvel::testing
