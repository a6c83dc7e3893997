#include "Pays_Cont.h"

#include "platform/Dialogs.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "records/Session.h"

#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

namespace orvel {

Pays_Cont::Pays_Cont(const Session &session, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_countries(CountryTable())
{
    setObjectName(QStringLiteral("Pays_Cont"));
    setWindowTitle(QStringLiteral("Pays contactés"));

    auto *layout = new QVBoxLayout(this);
    auto *titleFrame = named(new QFrame(this), QStringLiteral("Frame1"));
    titleFrame->setFrameShape(QFrame::StyledPanel);
    auto *titleLayout = new QVBoxLayout(titleFrame);
    QLabel *title =
        namedLabel(titleFrame, QStringLiteral("Label2"), QStringLiteral("Pays contactés"));
    title->setAlignment(Qt::AlignCenter);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);
    titleLayout->addWidget(title);
    layout->addWidget(titleFrame);

    auto *listFrame = named(new QFrame(this), QStringLiteral("Frame2"));
    listFrame->setFrameShape(QFrame::StyledPanel);
    auto *listLayout = new QVBoxLayout(listFrame);
    m_model = new QStringListModel(this);
    m_list = named(new QListView(listFrame), QStringLiteral("Liste_Pays"));
    m_list->setModel(m_model);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setFont(terminalFont(10));
    listLayout->addWidget(m_list);
    layout->addWidget(listFrame, 1);

    const int width = QFontMetrics(m_list->font()).horizontalAdvance(QString(40, QLatin1Char('M')));
    resize(width + 60, 480);

    CountryTableRead table = readCountryTable(session.folder());
    m_tableFound = table.found;
    if (!table.found)
        dialogs.message(table.message);
    m_countries = CountriesContacted(std::move(table.table));
    rebuild();

    followLogLines(
        session.model(), this, [this](const QString &line) { onQsoAppended(line); },
        [this] { rebuild(); });
}

QStringList Pays_Cont::countries() const
{
    return m_model->stringList();
}

void Pays_Cont::rebuild()
{
    m_countries.clear();
    if (m_tableFound) {
        for (const QString &call : m_session.currentLog().distinctCalls())
            m_countries.addCall(call);
    }
    m_model->setStringList(m_countries.entries());
}

void Pays_Cont::onQsoAppended(const QString &line)
{
    if (m_tableFound && m_countries.addLine(line))
        m_model->setStringList(m_countries.entries());
}

} // namespace orvel
