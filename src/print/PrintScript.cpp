#include "PrintScript.h"

#include <QStringList>

#include <algorithm>

namespace orvel {

namespace {
PrintOperation operation(PrintOperation::Kind kind)
{
    PrintOperation op;
    op.kind = kind;
    return op;
}
} // namespace

void PrintScript::setFont(const QString &family)
{
    PrintOperation op = operation(PrintOperation::Kind::Font);
    op.text = family;
    m_operations.append(op);
}

void PrintScript::setSize(double points)
{
    PrintOperation op = operation(PrintOperation::Kind::Size);
    op.number = points;
    m_operations.append(op);
}

void PrintScript::setBold(bool bold)
{
    PrintOperation op = operation(PrintOperation::Kind::Bold);
    op.flag = bold;
    m_operations.append(op);
}

void PrintScript::setPosition(double xMm, double yMm)
{
    PrintOperation op = operation(PrintOperation::Kind::Position);
    op.x = xMm;
    op.y = yMm;
    m_operations.append(op);
}

void PrintScript::printLine(const QString &text)
{
    PrintOperation op = operation(PrintOperation::Kind::Line);
    op.text = text;
    m_operations.append(op);
}

void PrintScript::endDocument()
{
    m_operations.append(operation(PrintOperation::Kind::EndDocument));
}

void PrintScript::discardDocument()
{
    m_operations.append(operation(PrintOperation::Kind::DiscardDocument));
}

void PrintScript::ask(const QString &question)
{
    PrintOperation op = operation(PrintOperation::Kind::Question);
    op.text = question;
    m_operations.append(op);
}

void PrintScript::useSheetCoordinates()
{
    m_operations.append(operation(PrintOperation::Kind::Sheet));
}

void PrintScript::setPageMargins(double mm)
{
    PrintOperation op = operation(PrintOperation::Kind::Margins);
    op.number = mm;
    m_operations.append(op);
}

namespace {
PrintOperation boxOperation(PrintOperation::Kind kind, const MmRect &box)
{
    PrintOperation op = operation(kind);
    op.x = box.x;
    op.y = box.y;
    op.width = box.width;
    op.height = box.height;
    return op;
}
} // namespace

void PrintScript::drawCentred(const MmRect &box, const QString &text)
{
    PrintOperation op = boxOperation(PrintOperation::Kind::TextBox, box);
    op.text = text;
    op.flag = true;
    m_operations.append(op);
}

void PrintScript::drawFrom(const MmRect &box, double indentMm, const QString &text)
{
    PrintOperation op = boxOperation(PrintOperation::Kind::TextBox, box);
    op.text = text;
    op.indent = indentMm;
    m_operations.append(op);
}

void PrintScript::drawFrame(const MmRect &box, bool guide)
{
    PrintOperation op = boxOperation(PrintOperation::Kind::Frame, box);
    op.flag = guide;
    m_operations.append(op);
}

void PrintScript::drawCross(double xMm, double yMm, double armMm)
{
    PrintOperation op = operation(PrintOperation::Kind::Cross);
    op.x = xMm;
    op.y = yMm;
    op.number = armMm;
    m_operations.append(op);
}

int PrintScript::documentCount() const
{
    return int(
        std::count_if(m_operations.cbegin(), m_operations.cend(), [](const PrintOperation &op) {
            return op.kind == PrintOperation::Kind::EndDocument;
        }));
}

QStringList PrintScript::lines() const
{
    QStringList texts;
    for (const PrintOperation &op : m_operations) {
        if (op.kind == PrintOperation::Kind::Line || op.kind == PrintOperation::Kind::TextBox)
            texts.append(op.text);
    }
    return texts;
}

ScriptPieces ScriptPieces::of(const PrintScript &script)
{
    return {script.documentCount(), [&script](const auto &play) { play(script); }};
}

} // namespace orvel
