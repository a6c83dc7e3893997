#include "Histo_Acti.h"

#include "ActivationHistory.h"
#include "records/Session.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "widgets/WindowBasics.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace orvel {

namespace {

enum Column { Reference, Name, Type, Date, Commune, Activator, Logger, Qsos, ColumnCount };

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    return item;
}

} // namespace

Histo_Acti::Histo_Acti(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_folder(session.folder())
    , m_reload(new QTimer(this))
{
    m_reload->setSingleShot(true);
    m_reload->setInterval(0);
    connect(m_reload, &QTimer::timeout, this, &Histo_Acti::reload);
    const LogListModel *model = &session.model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &Histo_Acti::reloadSoon);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &Histo_Acti::reloadSoon);
    connect(model, &QAbstractItemModel::modelReset, this, &Histo_Acti::reloadSoon);
    connect(model, &QAbstractItemModel::dataChanged, this, &Histo_Acti::reloadSoon);
    connect(&session, &Session::activationChanged, this, &Histo_Acti::reloadSoon);

    setObjectName(QStringLiteral("Histo_Acti"));
    setWindowTitle(QStringLiteral("L'historique des activations"));

    m_summary = namedLabel(this, QStringLiteral("Resume"));
    m_table = named(new QTableWidget(0, ColumnCount, this), QStringLiteral("Liste_Historique"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Référence"), QStringLiteral("Nom"),
                                        QStringLiteral("Type"), QStringLiteral("Date"),
                                        QStringLiteral("Commune"), QStringLiteral("Activeur"),
                                        QStringLiteral("Logger"), QStringLiteral("QSO")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setFont(letterGothic(9));
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);

    QPushButton *close = namedButton(this, QStringLiteral("Fermer"), QStringLiteral("Fermer"));
    close->setAutoDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(close, 0, Qt::AlignRight);

    reload();
    resize(980, 460);
    m_table->setFocus();
}

void Histo_Acti::reloadSoon()
{
    m_reload->start();
}

void Histo_Acti::reload()
{
    HistoryTotal total;
    const QList<HistoryEntry> history = activationHistory(m_folder, &total);
    m_table->setRowCount(int(history.size()));
    for (int row = 0; row < history.size(); ++row) {
        const HistoryEntry &entry = history.at(row);
        const Activation &a = entry.activation;
        m_table->setItem(row, Reference, cell(a.reference));
        m_table->setItem(row, Name, cell(a.name));
        m_table->setItem(row, Type, cell(a.type));
        m_table->setItem(row, Date, cell(a.date));
        m_table->setItem(row, Commune, cell(a.commune));
        m_table->setItem(row, Activator, cell(a.activator));
        m_table->setItem(row, Logger, cell(a.logger));
        auto *count =
            cell(entry.logExists ? QString::number(entry.qsoCount) : QStringLiteral("pas de log"),
                 Qt::AlignRight);
        m_table->setItem(row, Qsos, count);
    }
    m_summary->setText(historySummary(history.size(), total));
}

} // namespace orvel
