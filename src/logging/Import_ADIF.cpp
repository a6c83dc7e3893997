#include "Import_ADIF.h"

#include "platform/Dialogs.h"
#include "records/Session.h"
#include "widgets/Fonts.h"
#include "widgets/FormWidgets.h"
#include "widgets/WindowBasics.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace orvel {

namespace {

enum Column { Number, Date, Time, Call, Band, Mode, Verdict, ColumnCount };

// The numbers of the plan before the import, as the preview tells them.
QString previewCounts(const ImportPlan &plan, const QStringList &references)
{
    return QStringLiteral("%1 QSO à importer, %2 déjà dans le log, %3\nLogs : %4")
        .arg(plan.imported)
        .arg(plan.alreadyInLog)
        .arg(countOf(plan.refused, QStringLiteral("refusé"), QStringLiteral("refusés")),
             references.join(QStringLiteral(", ")));
}

// Lets the window draw the progress bar while a long file is read or written.
void drawNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

// --- The preview -----------------------------------------------------------------------------

void ImportPreviewModel::setPlan(ImportPlan plan)
{
    beginResetModel();
    m_plan = std::move(plan);
    endResetModel();
}

int ImportPreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_plan.items.size());
}

int ImportPreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ImportPreviewModel::verdictText(const ImportItem &item)
{
    switch (item.verdict) {
    case ImportVerdict::Imported:
        return QStringLiteral("à importer");
    case ImportVerdict::AlreadyInLog:
        return item.reason;
    case ImportVerdict::Refused:
        break;
    }
    return QStringLiteral("refusé : ") + item.reason;
}

QVariant ImportPreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_plan.items.size())
        return {};
    const ImportItem &item = m_plan.items.at(index.row());
    if (role == Qt::ForegroundRole) {
        if (item.verdict == ImportVerdict::Refused)
            return QBrush(QColor(0xB0, 0x00, 0x00));
        if (item.verdict == ImportVerdict::AlreadyInLog)
            return QBrush(QColor(0x60, 0x60, 0x60));
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    // A refused record has no line: its fields are empty but for the call sign read.
    const auto field = [&item](const LineColumn &column) {
        return qsoField(item.line, column).toString();
    };
    switch (index.column()) {
    case Number:
        return item.number;
    case Date:
        return field(qsocol::kDate);
    case Time:
        return field(qsocol::kTime);
    case Call:
        return item.verdict != ImportVerdict::Refused ? field(qsocol::kCall) : item.call;
    case Band:
        return field(qsocol::kBand);
    case Mode:
        return field(qsocol::kMode);
    case Verdict:
        return verdictText(item);
    default:
        return {};
    }
}

QVariant ImportPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles = {QStringLiteral("N°"),      QStringLiteral("Date"),
                                       QStringLiteral("Heure"),   QStringLiteral("Indicatif"),
                                       QStringLiteral("Bande"),   QStringLiteral("Mode"),
                                       QStringLiteral("Résultat")};
    return titles.value(section);
}

// --- The window ------------------------------------------------------------------------------

Import_ADIF::Import_ADIF(Dialogs &dialogs, Session &session, const FirstNames &names,
                         QWidget *parent)
    : QDialog(parent)
    , m_dialogs(dialogs)
    , m_session(session)
    , m_names(names)
    , m_model(new ImportPreviewModel(this))
{
    setObjectName(QStringLiteral("Import_ADIF"));
    setWindowTitle(QStringLiteral("Importer un fichier ADIF"));
    auto *layout = new QVBoxLayout(this);
    Fichier = namedLabel(this, QStringLiteral("Fichier"));
    Fichier->setTextFormat(Qt::PlainText);
    layout->addWidget(Fichier);

    Liste_Import = named(new QTableView(this), QStringLiteral("Liste_Import"));
    Liste_Import->setModel(m_model);
    Liste_Import->setSelectionBehavior(QAbstractItemView::SelectRows);
    Liste_Import->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liste_Import->verticalHeader()->hide();
    // Thousands of rows of one height: laid out without measuring each.
    Liste_Import->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Liste_Import->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    Liste_Import->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(Liste_Import, 1);

    Bilan = namedLabel(this, QStringLiteral("Bilan"));
    Bilan->setTextFormat(Qt::PlainText);
    layout->addWidget(Bilan);
    Progression = named(new QProgressBar(this), QStringLiteral("Progression"));
    Progression->setVisible(false);
    layout->addWidget(Progression);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Importer = namedButton(this, QStringLiteral("Importer"), QStringLiteral("Importer"));
    Annuler = namedButton(this, QStringLiteral("Annuler"), QStringLiteral("Annuler"));
    Importer->setEnabled(false);
    Importer->setDefault(true);
    buttons->addWidget(Importer);
    buttons->addWidget(Annuler);
    layout->addLayout(buttons);

    connect(Importer, &QPushButton::clicked, this, &Import_ADIF::onImporterClicked);
    connect(Annuler, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 520);
}

void Import_ADIF::showProgress(qint64 done, qint64 total)
{
    Progression->setRange(0, 1000);
    Progression->setValue(total > 0 ? int(done * 1000 / total) : 0);
    drawNow();
}

bool Import_ADIF::load(const QString &path)
{
    Fichier->setText(QDir::toNativeSeparators(path));
    Progression->setVisible(true);
    const AdifReading reading =
        readAdifFile(path, [this](qint64 done, qint64 total) { showProgress(done, total); });
    Progression->setVisible(false);
    if (!reading.ok()) {
        m_dialogs.message(reading.error);
        return false;
    }
    m_records = reading.records;
    m_session.refresh();
    const ImportContext context = entryImportContext(m_session.activation().activator, m_names);
    m_model->setPlan(planImport(m_records, context, m_session.currentLog()));
    Liste_Import->resizeColumnsToContents();
    Bilan->setText(previewCounts(plan(), m_session.storeReferences()));
    Importer->setEnabled(plan().imported > 0);
    (plan().imported > 0 ? Importer : Annuler)->setFocus();
    return true;
}

void Import_ADIF::onImporterClicked()
{
    Importer->setEnabled(false);
    Annuler->setEnabled(false);
    // One rewrite per log: nothing to count meanwhile, the bar only shows the work goes on.
    Progression->setRange(0, 0);
    Progression->setVisible(true);
    drawNow();
    const ImportContext context = entryImportContext(m_session.activation().activator, m_names);
    const ImportOutcome outcome = importRecords(m_session, m_records, context, &m_names);
    Progression->setVisible(false);
    m_model->setPlan(outcome.plan);
    emit imported();
    m_dialogs.message(outcome.message());
    accept();
}

} // namespace orvel
