#include "Liste_Operateurs.h"

#include "ListingView.h"
#include "Listings.h"
#include "widgets/FormWidgets.h"
#include "records/QsoLine.h"
#include "records/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QVBoxLayout>

namespace orvel {

Liste_Operateurs::Liste_Operateurs(Session &session, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("Liste_Operateurs"));
    setWindowTitle(QStringLiteral("Liste opérateurs"));
    auto *layout = new QVBoxLayout(this);
    m_model = new QStringListModel(this);
    Liste_Op = listingView(this, QStringLiteral("Liste_Op"), m_model, qsocol::kCall.width + 2);
    layout->addWidget(Liste_Op, 1);
    auto *count = new QHBoxLayout;
    Label1 = namedLabel(this, QStringLiteral("Label1"));
    Label2 = namedLabel(this, QStringLiteral("Label2"), QStringLiteral("contactés"));
    count->addWidget(Label1);
    count->addWidget(Label2);
    count->addStretch(1);
    layout->addLayout(count);
    resize(260, 420);
    load();
    // The list and its count follow the log as it grows or changes.
    followLogLines(
        m_session.model(), this, [this](const QString &line) { onQsoAppended(line); },
        [this] { load(); });
}

void Liste_Operateurs::load()
{
    const QStringList calls = operatorListOfCalls(m_session.currentLog().distinctCalls());
    m_model->setStringList(calls);
    Label1->setText(operatorCountText(static_cast<int>(calls.size())));
}

void Liste_Operateurs::onQsoAppended(const QString &line)
{
    const qsizetype row = operatorListPlace(m_model->stringList(), line);
    if (row < 0)
        return;
    m_model->insertRows(int(row), 1);
    m_model->setData(m_model->index(int(row)), qsoField(line, qsocol::kCall).toString());
    Label1->setText(operatorCountText(m_model->rowCount()));
}

} // namespace orvel
