#include "WidgetDialogs.h"
#include "Fonts.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QVBoxLayout>

namespace orvel {

namespace {

// The program's name in the title bar of its boxes. It is not set as the application's
// display name, which the window system would add to every window's caption.
const QString kBoxTitle = QStringLiteral("Orvel Multi");


// A line of a data file quoted in a message (an activation line, a QSO line): long, with the
// runs of blanks that pad its columns. Prose never has them.
bool isRecordLine(QStringView line)
{
    return line.size() >= 100 && line.contains(QLatin1String("   "));
}

QStringList linesOf(const QString &text)
{
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    return plain.split(QLatin1Char('\n'));
}

bool quotesRecord(const QString &text)
{
    const QStringList lines = linesOf(text);
    return std::any_of(lines.cbegin(), lines.cend(),
                       [](const QString &l) { return isRecordLine(l); });
}

// A message box whose record lines keep their columns: set in the fixed-pitch font and never
// wrapped, which a standard message box cannot promise. The first button is the default,
// the last one answers Escape. Returns the index of the button chosen.
int showRecordBox(QWidget *parent, const QString &text, const QStringList &buttons)
{
    QDialog box(parent);
    box.setWindowTitle(kBoxTitle);
    auto *layout = new QVBoxLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (const QString &line : linesOf(text)) {
        auto *label = new QLabel(line, &box);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        if (isRecordLine(line))
            label->setFont(courierNew(box.font().pointSizeF()));
        layout->addWidget(label);
    }
    auto *buttonBox = new QDialogButtonBox(&box);
    int chosen = int(buttons.size()) - 1;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *button = buttonBox->addButton(
            buttons.at(i), i == 0 ? QDialogButtonBox::AcceptRole : QDialogButtonBox::RejectRole);
        button->setDefault(i == 0);
        QObject::connect(button, &QPushButton::clicked, &box, [&box, &chosen, i] {
            chosen = i;
            box.done(QDialog::Accepted);
        });
    }
    layout->addWidget(buttonBox);
    box.exec();
    return chosen;
}

// A box of a few words is narrower than its title bar needs to show the program's name beside
// the window manager's buttons: a spacer in the box's own grid widens it.
void keepTitleVisible(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

WidgetDialogs::WidgetDialogs(QWidget *parent)
    : m_parent(parent)
{
}

// Every box bears the program's name as its title.
void WidgetDialogs::message(const QString &text)
{
    QWidget *parent = m_parent ? m_parent : QApplication::activeWindow();
    if (quotesRecord(text)) {
        showRecordBox(parent, text, {QStringLiteral("OK")});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kBoxTitle, text,
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    keepTitleVisible(box);
    box.exec();
}

bool WidgetDialogs::question(const QString &text)
{
    QWidget *parent = m_parent ? m_parent : QApplication::activeWindow();
    if (quotesRecord(text))
        return showRecordBox(parent, text, {QStringLiteral("Oui"), QStringLiteral("Non")}) == 0;
    QMessageBox box(QMessageBox::NoIcon, kBoxTitle, text,
                    QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    keepTitleVisible(box);
    box.exec();
    return box.clickedButton() == yes;
}

void installFrenchTranslations()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto *translator = new QTranslator(QCoreApplication::instance());
    // A Windows installation carries Qt's translations in its own folder; elsewhere they are
    // the system's.
    const QStringList folders = {
        QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString &folder : folders) {
        if (translator->load(QLocale(QLocale::French), QStringLiteral("qtbase"),
                             QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return;
        }
    }
    delete translator;
}

QString WidgetDialogs::fileToOpen(const QString &caption, const QString &folder,
                                  const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, folder, filter);
}

} // namespace orvel
