#include "PrintScript.h"

#include <QStringList>

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

void PrintScript::setLineAdvance(double factor)
{
    PrintOperation op = operation(PrintOperation::Kind::LineAdvance);
    op.number = factor;
    m_operations.append(op);
}

void PrintScript::setX(double xMm)
{
    PrintOperation op = operation(PrintOperation::Kind::PositionX);
    op.x = xMm;
    m_operations.append(op);
}

void PrintScript::setPageA4Portrait()
{
    m_operations.append(operation(PrintOperation::Kind::PageA4Portrait));
}

QStringList PrintScript::lines() const
{
    QStringList texts;
    for (const PrintOperation &op : m_operations) {
        if (op.kind == PrintOperation::Kind::Line)
            texts.append(op.text);
    }
    return texts;
}

} // namespace orvel
