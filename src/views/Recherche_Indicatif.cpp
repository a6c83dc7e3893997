#include "Recherche_Indicatif.h"

#include "ListingView.h"
#include "platform/Dialogs.h"
#include "widgets/ColumnHeading.h"
#include "widgets/FormWidgets.h"
#include "records/QsoLine.h"
#include "records/Session.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace orvel {

namespace {

// An entry of the entry window's list: the 6-character number, then the log line.
constexpr int kEntryColumns = qsocol::kListPrefixLength + qsocol::kLineLength;

// The labels over the results: each shows the titles first to last of listEntryTitles(), at
// their columns, and is read out by the name the window always gave it.
struct ColumnHeader {
    const char *name;
    const char16_t *spoken;
    int first;
    int last;
};

constexpr ColumnHeader kHeaders[] = {
    {"Label13", u"N°", 0, 0},
    {"Label12", u"Date", 1, 1},
    {"Label11", u"QTR", 2, 2},
    {"Label10", u"Indicatif", 3, 3},
    {"Label9", u"Dpt", 4, 4},
    {"Label1", u"Prenom", 5, 5},
    {"Label4", u"RST R      E", 6, 7},
    {"Label2", u"  Mode", 8, 8},
    {"Label6", u"Bande", 9, 9},
    {"Label5", u"Observations", 10, 10},
    {"Label7", u"Opérateur", 11, 11},
};

} // namespace

Recherche_Indicatif::Recherche_Indicatif(Dialogs &dialogs, Session &session, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_session(session)
{
    setObjectName(QStringLiteral("Recherche_Indicatif"));
    setWindowTitle(QStringLiteral("Recherche QSO"));
    build();
    // Results on screen follow the log: the last search is run again on every change.
    followLog(
        m_session.model(), this, [this](int, int) { refreshResults(); },
        [this] { refreshResults(); });
    Indica->clear();
    Option1_1->setChecked(true);
    Indica->setFocus();
}

void Recherche_Indicatif::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *frame = named(new QGroupBox(this), QStringLiteral("Frame1"));
    auto *grid = new QGridLayout(frame);
    Label3 =
        namedLabel(frame, QStringLiteral("Label3"), QStringLiteral("Rechercher un QSO par ..."));
    grid->addWidget(Label3, 0, 0, 1, 2);
    Option1_1 =
        named(new QRadioButton(QStringLiteral("Indicatif"), frame), QStringLiteral("Option1_1"));
    Option1_2 = named(new QRadioButton(QStringLiteral("Date"), frame), QStringLiteral("Option1_2"));
    Option1_3 = named(new QRadioButton(QStringLiteral("Dpt"), frame), QStringLiteral("Option1_3"));
    Indica = named(new QLineEdit(frame), QStringLiteral("Indica"));
    Data = named(new QLineEdit(frame), QStringLiteral("Data"));
    Depa = named(new QLineEdit(frame), QStringLiteral("Depa"));
    Data->setPlaceholderText(QStringLiteral("jj/mm/aa"));
    int row = 1;
    for (const SearchOption option :
         {SearchOption::Call, SearchOption::Date, SearchOption::Department}) {
        grid->addWidget(optionOf(option), row, 0);
        grid->addWidget(boxOf(option), row, 1);
        ++row;
        boxOf(option)->installEventFilter(this);
        connect(optionOf(option), &QRadioButton::clicked, this,
                [this, option] { boxOf(option)->setFocus(Qt::MouseFocusReason); });
        connect(boxOf(option), &QLineEdit::returnPressed, this,
                [this, option] { onBoxReturn(option); });
    }
    connect(Indica, &QLineEdit::textEdited, this, [this](const QString &typed) {
        const QString capitals = callKeyCapitals(typed);
        if (capitals != typed) {
            const int cursor = Indica->cursorPosition();
            Indica->setText(capitals);
            Indica->setCursorPosition(cursor);
        }
    });
    auto *top = new QHBoxLayout;
    top->addWidget(frame);
    top->addStretch(1);
    layout->addLayout(top);

    m_model = new QStringListModel(this);
    QSO_Effectues = listingView(this, QStringLiteral("QSO_Effectues"), m_model, kEntryColumns);
    QSO_Effectues->setToolTip(QStringLiteral("Cliquez sur le QSO pour le selectionner"));
    connect(QSO_Effectues, &QListView::clicked, this, &Recherche_Indicatif::onResultClicked);
    // From the keyboard: the arrows move in the results, Enter picks as a click does.
    connect(QSO_Effectues, &QListView::activated, this, &Recherche_Indicatif::onResultClicked);
    layout->addWidget(buildColumnHeaders());
    layout->addWidget(QSO_Effectues, 1);

    auto *bottom = new QHBoxLayout;
    Nb_QSO = namedLabel(this, QStringLiteral("Nb_QSO"));
    Command1 = namedButton(this, QStringLiteral("Command1"), QStringLiteral("Quitter"));
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    bottom->addWidget(Nb_QSO);
    bottom->addStretch(1);
    bottom->addWidget(Command1);
    layout->addLayout(bottom);
    resize(minimumSizeHint().width() + 20, 480);
}

QWidget *Recherche_Indicatif::buildColumnHeaders()
{
    auto *headers = new ColumnHeading(QSO_Effectues, this);
    const QList<ColumnTitle> titles = listEntryTitles(QStringLiteral("QTR"));
    for (const ColumnHeader &header : kHeaders) {
        const int start = titles.at(header.first).start;
        const QString text =
            headingLine(titles.mid(header.first, header.last - header.first + 1)).mid(start - 1);
        QLabel *label = namedLabel(headers, QString::fromLatin1(header.name), text);
        label->setAccessibleName(QString::fromUtf16(header.spoken));
        headers->addLabel(label, start);
    }
    return headers;
}

QLineEdit *Recherche_Indicatif::boxOf(SearchOption option) const
{
    switch (option) {
    case SearchOption::Call:
        return Indica;
    case SearchOption::Date:
        return Data;
    case SearchOption::Department:
        break;
    }
    return Depa;
}

QRadioButton *Recherche_Indicatif::optionOf(SearchOption option) const
{
    switch (option) {
    case SearchOption::Call:
        return Option1_1;
    case SearchOption::Date:
        return Option1_2;
    case SearchOption::Department:
        break;
    }
    return Option1_3;
}

SearchOption Recherche_Indicatif::selectedOption() const
{
    if (Option1_2->isChecked())
        return SearchOption::Date;
    if (Option1_3->isChecked())
        return SearchOption::Department;
    return SearchOption::Call;
}

bool Recherche_Indicatif::eventFilter(QObject *watched, QEvent *event)
{
    // A click in a key box chooses its option.
    if (event->type() == QEvent::MouseButtonPress) {
        for (const SearchOption option :
             {SearchOption::Call, SearchOption::Date, SearchOption::Department}) {
            if (watched == boxOf(option))
                optionOf(option)->setChecked(true);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Recherche_Indicatif::onBoxReturn(SearchOption box)
{
    QLineEdit *edit = boxOf(box);
    const KeyCheck check = checkSearchKey(box, edit->text());
    if (!check.ok()) {
        m_dialogs.message(check.message);
        if (check.emptyBox)
            edit->clear();
        edit->setFocus();
        return;
    }
    runSearch();
}

void Recherche_Indicatif::runSearch()
{
    m_model->setStringList({});
    Nb_QSO->clear();
    const SearchOption option = selectedOption();
    QLineEdit *box = boxOf(option);
    const QString key = withoutLeadingLineBreak(box->text());
    if (key != box->text())
        box->setText(key);
    const SearchOutcome outcome = searchQsos(m_session.currentLog(), option, key);
    if (outcome.stopped) {
        m_dialogs.message(outcome.message);
        if (outcome.emptyCallBox)
            Indica->clear();
        return;
    }
    showResults(outcome.entries);
    m_lastSearch = {option, key};
    if (!outcome.message.isEmpty())
        m_dialogs.message(outcome.message);
    Indica->clear();
    Data->clear();
    Depa->clear();
    // The first QSO found is ready to be picked with Enter, or another with the arrows.
    if (!outcome.entries.isEmpty()) {
        QSO_Effectues->setCurrentIndex(m_model->index(0));
        QSO_Effectues->setFocus();
    }
}

void Recherche_Indicatif::showResults(const QStringList &entries)
{
    m_model->setStringList(entries);
    Nb_QSO->setText(foundCountText(int(entries.size())));
}

void Recherche_Indicatif::refreshResults()
{
    if (!m_lastSearch)
        return;
    const SearchOutcome outcome = searchQsos(m_session.currentLog(),
                                             m_lastSearch->first, m_lastSearch->second);
    showResults(outcome.stopped ? QStringList() : outcome.entries);
}

void Recherche_Indicatif::onResultClicked(const QModelIndex &index)
{
    // A double click is a click, then an activation: the window has already closed.
    if (!isVisible() || !index.isValid())
        return;
    const int row =
        rowOfSearchResult(m_session.currentLog(), index.data().toString());
    if (row < 0) {
        // The log changed since the search: the QSO is no longer where it was.
        m_dialogs.message(QStringLiteral("Ce QSO n'est plus dans le log : relancez la recherche."));
        return;
    }
    emit qsoPicked(row);
    close();
}

} // namespace orvel
