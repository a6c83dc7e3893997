#include "Carte_Acti.h"

#include "DepartmentMap.h"
#include "DepartmentTally.h"
#include "records/EntrySettings.h"
#include "platform/Dialogs.h"
#include "widgets/FormWidgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvel {

QStringList mapBandItems()
{
    return {QStringLiteral("1.8 Mhz"), QStringLiteral("3.5 Mhz"), QStringLiteral("7 Mhz"),
            QStringLiteral("10 Mhz"),  QStringLiteral("14 Mhz"),  QStringLiteral("18 Mhz"),
            QStringLiteral("21 Mhz"),  QStringLiteral("24 Mhz"),  QStringLiteral("28 Mhz"),
            QStringLiteral("50 Mhz"),  QStringLiteral("144 Mhz")};
}

QStringList mapModeItems()
{
    return {QStringLiteral("SSB"), QStringLiteral("CW"),  QStringLiteral("FT8"),
            QStringLiteral("PSK"), QStringLiteral("TTY"), QStringLiteral("FM")};
}

namespace {

QComboBox *filterBox(QWidget *parent, const QString &name, const QStringList &items)
{
    auto *box = named(new QComboBox(parent), name);
    // Like the entry window's lists, a band or mode may also be typed.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

} // namespace

Carte_Acti::Carte_Acti(Settings &settings, Dialogs &dialogs, DepartmentTally &tally,
                       QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
    , m_tally(tally)
{
    setObjectName(QStringLiteral("Carte_Acti"));
    setWindowTitle(QStringLiteral("Carte des départements contactés"));

    auto *layout = new QHBoxLayout(this);
    auto *mapColumn = new QVBoxLayout;
    m_map = new DepartmentMap(FranceMap::builtIn(), this);
    mapColumn->addWidget(m_map, 1);
    QLabel *credit = namedLabel(
        this, QStringLiteral("Credit_Carte"),
        QStringLiteral("Fond de carte : MapSVG, Victor Cazanave (svg-maps), licence CC BY 4.0"));
    QFont small = credit->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    credit->setFont(small);
    mapColumn->addWidget(credit);
    layout->addLayout(mapColumn, 1);

    auto *side = new QVBoxLayout;
    auto *filters = new QGridLayout;
    m_band = filterBox(this, QStringLiteral("Bande_A"), mapBandItems());
    m_mode = filterBox(this, QStringLiteral("Mode_AX"), mapModeItems());
    filters->addWidget(namedLabel(this, QStringLiteral("Label1"), QStringLiteral("Bande : ")), 0,
                       0);
    filters->addWidget(m_band, 0, 1);
    filters->addWidget(namedLabel(this, QStringLiteral("Label5"), QStringLiteral("Mode : ")), 1, 0);
    filters->addWidget(m_mode, 1, 1);
    side->addLayout(filters);
    QPushButton *show = namedButton(this, QStringLiteral("Afficher"), QStringLiteral("Afficher"));
    side->addWidget(show);

    auto *countFrame = named(new QFrame(this), QStringLiteral("Frame1"));
    countFrame->setFrameShape(QFrame::StyledPanel);
    auto *countLayout = new QVBoxLayout(countFrame);
    QLabel *caption =
        namedLabel(countFrame, QStringLiteral("Label3"), QStringLiteral("Départements contactés"));
    caption->setAlignment(Qt::AlignCenter);
    m_count = namedLabel(countFrame, QStringLiteral("NB_Dep"));
    m_count->setAlignment(Qt::AlignCenter);
    QFont countFont = m_count->font();
    countFont.setBold(true);
    countFont.setPointSizeF(countFont.pointSizeF() * 1.6);
    m_count->setFont(countFont);
    countLayout->addWidget(caption);
    countLayout->addWidget(m_count);
    side->addWidget(countFrame);
    side->addStretch(1);
    layout->addLayout(side);

    selectFilters(settings);
    // The map opens on what it is asked for, as after Afficher: the count is never a "0"
    // waiting for a click.
    if (!m_band->currentText().isEmpty())
        m_tally.showOnMap(m_band->currentText(), m_mode->currentText());
    showMarks();
    // The areas and their count always tell the same marks.
    connect(&tally, &DepartmentTally::mapChanged, this, &Carte_Acti::showMarks);
    connect(show, &QPushButton::clicked, this, &Carte_Acti::onAfficherClicked);
    resize(sizeHint());
}

void Carte_Acti::selectFilters(Settings &settings)
{
    // The entry window's band and mode as they stand, typed ones included.
    if (const auto entry = m_tally.entryBandAndMode()) {
        const std::pair<QComboBox *, QString> filters[] = {{m_band, entry->first},
                                                           {m_mode, entry->second}};
        for (const auto &[box, text] : filters) {
            const int index = box->findText(text);
            if (index >= 0)
                box->setCurrentIndex(index);
            else
                box->setEditText(text);
        }
        return;
    }
    const auto select = [](QComboBox *box, int index) {
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    };
    // Else the positions the entry window saved: both lists have the entry window's order.
    EntrySettings saved(settings);
    select(m_mode, saved.loadModeIndex());
    select(m_band, saved.bandIndex());
}

void Carte_Acti::showMarks()
{
    m_map->setMarks(m_tally.mapMarks());
    m_count->setText(QString::number(countDepartments(m_tally.mapMarks())));
}

void Carte_Acti::onAfficherClicked()
{
    if (m_band->currentText().isEmpty()) {
        m_dialogs.message(QStringLiteral("Selectionnez une bande"));
        return;
    }
    m_tally.showOnMap(m_band->currentText(), m_mode->currentText());
}

} // namespace orvel
