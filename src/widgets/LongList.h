// A one-column list for logs of any length: it looks and answers like a list box, but keeps
// its place when rows come and go without laying out every row again (a list view does that
// on each change, several milliseconds at 100,000 rows).
#pragma once

#include <QTableView>

namespace orvel {

class PlainRowDelegate;

class LongList : public QTableView
{
public:
    explicit LongList(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    // The first columns characters of each row (its number, say) change apart from the rest.
    void setLeadColumns(int columns);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;

private:
    void fitRowsToFont();
    // The column is as wide as the first row's text (rows are of one width, as in a log), and
    // never narrower than the list: longer rows scroll sideways.
    void fitColumnToText();

    // The scroll bars now shown (each in a holder of its own).
    QList<QScrollBar *> shownBars() const;
    template <typename Work> void keepingBarsStill(Work work);
    template <typename Work> void repaintingFrameAndRows(bool rowsChange, Work work);

    QSize m_laidOutSize;
    PlainRowDelegate *m_rows = nullptr;
};

} // namespace orvel
