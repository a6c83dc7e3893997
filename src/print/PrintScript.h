// A print job described as data: the printer operations in the order they are made (font
// name, size and bold, a position in millimetres, a line of text, the end or the discard of a
// document, a question between sheets). Listings and label runs build a script in the first
// layer, where tests read it exactly; ScriptPlayer plays it on a printer, a PDF file or a
// preview.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace orvel {

// A rectangle on the page, in millimetres.
struct MmRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    MmRect inset(double margin) const
    {
        return {x + margin, y + margin, width - 2 * margin, height - 2 * margin};
    }
    bool operator==(const MmRect &) const = default;
};

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
        Sheet,           // the pages are A4 sheets in portrait position from here on, and
                         // positions are measured from the paper's top-left corner, not from
                         // the printable area: what is placed on a sheet of labels lands where
                         // the sheet has its labels, on any printer
        TextBox,         // text drawn inside the box at x, y of width × height millimetres, in
                         // the current font: centred across when flag is set, else from indent
                         // millimetres past the box's left edge. A text too wide or too tall for
                         // its box is condensed or made smaller, never cut, never outside
        Frame,           // the outline of the box at x, y of width × height millimetres; flag:
                         // a guide, shown faintly on a preview and never printed
        Cross,           // a cross centred at x, y, its arms number millimetres long
        Margins,         // the pages keep number millimetres blank on every side from here on
                         // (more where the printer cannot print so near the edge), and
                         // positions and full pages are measured inside them: a listing breaks
                         // its pages alike on any printer and in a PDF file
    };
    Kind kind = Kind::Line;
    QString text;
    double number = 0; // points
    bool flag = false;
    double x = 0; // millimetres
    double y = 0;
    double width = 0;
    double height = 0;
    double indent = 0;

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
    void useSheetCoordinates();
    void setPageMargins(double mm);
    // The text centred across the box.
    void drawCentred(const MmRect &box, const QString &text);
    // The text from indentMm past the box's left edge, less when it would overrun the box.
    void drawFrom(const MmRect &box, double indentMm, const QString &text);
    void drawFrame(const MmRect &box, bool guide);
    void drawCross(double xMm, double yMm, double armMm);

    // An operation as it stands.
    void add(const PrintOperation &op) { m_operations.append(op); }
    const QList<PrintOperation> &operations() const { return m_operations; }
    bool isEmpty() const { return m_operations.isEmpty(); }
    // How many documents the script ends (its sheets, for a label run).
    int documentCount() const;
    // The text of every line in order, one per entry (for a quick look in tests and logs).
    QStringList lines() const;

private:
    QList<PrintOperation> m_operations;
};

// A script made a piece at a time as it is played, so that a long one (the listing of a long
// log) never stands whole in memory: write(play) hands each piece to play in order, and stops
// as soon as play returns false. documents: how many documents the whole script ends.
struct ScriptPieces {
    int documents = 0;
    std::function<void(const std::function<bool(const PrintScript &piece)> &play)> write;

    // A script held whole, as one piece.
    static ScriptPieces of(const PrintScript &script);
};

} // namespace orvel
