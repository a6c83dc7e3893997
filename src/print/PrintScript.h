// A print job described as data: the printer operations in the order they are made (font
// name, size and bold, a position in millimetres, a line of text, the end or the discard of a
// document, a question between sheets). Listings and label runs build a script in the first
// layer, where tests read it exactly; ScriptPlayer plays it on a printer, a PDF file or a
// preview.
#pragma once

#include <QList>
#include <QString>

namespace orvel {

struct PrintOperation {
    enum class Kind {
        Font,            // text: the font family asked for by name
        Size,            // number: points
        Bold,            // flag
        Position,        // x, y: millimetres from the top-left corner of the printable area
        Line,            // text printed at the position; the position then moves to the start of
                         // the next line at the current font
        EndDocument,     // the document is sent; the next line starts a new one
        DiscardDocument, // the document is dropped
        Question,        // text: a Yes/No question; No ends the run at once
        LineAdvance,     // number: from now on a line advances by its size in points times
                         // this factor; 0: by the font's own line spacing
        PositionX,       // x: millimetres; the next line starts there, at the same height
        PageA4Portrait,  // the pages are A4 in portrait position from here on
    };
    Kind kind = Kind::Line;
    QString text;
    double number = 0; // points
    bool flag = false;
    double x = 0; // millimetres
    double y = 0;

    bool operator==(const PrintOperation &) const = default;
};

class PrintScript
{
public:
    void setFont(const QString &family);
    void setSize(double points);
    void setBold(bool bold);
    void setPosition(double xMm, double yMm);
    void printLine(const QString &text);
    void endDocument();
    void discardDocument();
    void ask(const QString &question);
    void setLineAdvance(double factor);
    void setX(double xMm);
    void setPageA4Portrait();

    const QList<PrintOperation> &operations() const { return m_operations; }
    bool isEmpty() const { return m_operations.isEmpty(); }
    // The text of every line in order, one per entry (for a quick look in tests and logs).
    QStringList lines() const;

private:
    QList<PrintOperation> m_operations;
};

} // namespace orvel
