// Log lines, activation lines and a readable dump of print scripts for the label tests.
#pragma once

#include "print/PrintScript.h"
#include "records/Activation.h"
#include "records/QsoLine.h"

#include <QStringList>

namespace orvel::testing {

inline QString labelQsoLine(const QString &call, const QString &department = QStringLiteral("76"),
                            const QString &time = QStringLiteral("08:35"),
                            const QString &band = QStringLiteral("7"), bool inserted = false)
{
    QsoRecord q;
    q.date = QStringLiteral("14/01/06");
    q.time = time;
    q.call = call;
    q.department = department;
    q.firstName = QStringLiteral("Jean");
    q.rstReceived = QStringLiteral("59");
    q.rstSent = QStringLiteral("57");
    q.mode = QStringLiteral("SSB");
    q.band = band;
    q.remarks = QStringLiteral("QRP");
    q.operatorCall = QStringLiteral("Q4OPE");
    return formatQsoLine(q, inserted);
}

// Distinct call signs Q1AA00, Q1AA01..., in sorted order.
inline QStringList numberedQsoLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(labelQsoLine(QStringLiteral("Q1AA%1").arg(i, 2, 10, QLatin1Char('0'))));
    return lines;
}

inline Activation castle()
{
    Activation a;
    a.reference = QStringLiteral("DFCF 34005");
    a.activator = QStringLiteral("Q6KLM/P");
    a.name = QStringLiteral("Chateau Saint Thibery");
    a.canton = QStringLiteral("3428");
    a.postalCode = QStringLiteral("34630");
    a.type = QStringLiteral("Château");
    a.date = QStringLiteral("14/01/06");
    a.commune = QStringLiteral("Saint Thibery");
    return a;
}

inline Activation mill()
{
    Activation a = castle();
    a.reference = QStringLiteral("DMF 34015");
    a.name = QStringLiteral("Moulin de Laprée");
    a.type = QStringLiteral("Moulin");
    return a;
}

// Millimetres to the hundredth, as the dumps show them.
inline QString mm(double value)
{
    return QString::number(value, 'f', 2);
}
inline QString boxText(const PrintOperation &op)
{
    return QStringLiteral("%1 %2 %3 %4").arg(mm(op.x), mm(op.y), mm(op.width), mm(op.height));
}

// One operation a line: "font Courier New", "size 10", "bold 1", "pos 3 2", "line |text|",
// "end", "discard", "ask |question|", "sheet", "box X Y W H centre |text|",
// "box X Y W H from INDENT |text|", "frame X Y W H [guide]", "cross X Y ARM".
inline QStringList dumpScript(const PrintScript &script)
{
    QStringList out;
    for (const PrintOperation &op : script.operations()) {
        switch (op.kind) {
        case PrintOperation::Kind::Font:
            out << QStringLiteral("font ") + op.text;
            break;
        case PrintOperation::Kind::Size:
            out << QStringLiteral("size %1").arg(op.number);
            break;
        case PrintOperation::Kind::Bold:
            out << QStringLiteral("bold %1").arg(int(op.flag));
            break;
        case PrintOperation::Kind::Position:
            out << QStringLiteral("pos %1 %2").arg(op.x).arg(op.y);
            break;
        case PrintOperation::Kind::Line:
            out << QStringLiteral("line |%1|").arg(op.text);
            break;
        case PrintOperation::Kind::EndDocument:
            out << QStringLiteral("end");
            break;
        case PrintOperation::Kind::DiscardDocument:
            out << QStringLiteral("discard");
            break;
        case PrintOperation::Kind::Question:
            out << QStringLiteral("ask |%1|").arg(op.text);
            break;
        case PrintOperation::Kind::Sheet:
            out << QStringLiteral("sheet");
            break;
        case PrintOperation::Kind::Margins:
            out << QStringLiteral("margins %1").arg(mm(op.number));
            break;
        case PrintOperation::Kind::TextBox:
            out << QStringLiteral("box %1 %2 |%3|")
                       .arg(boxText(op),
                            op.flag ? QStringLiteral("centre")
                                    : QStringLiteral("from %1").arg(mm(op.indent)),
                            op.text);
            break;
        case PrintOperation::Kind::Frame:
            out << QStringLiteral("frame %1%2").arg(boxText(op), op.flag ? " guide" : "");
            break;
        case PrintOperation::Kind::Cross:
            out << QStringLiteral("cross %1 %2 %3").arg(mm(op.x), mm(op.y), mm(op.number));
            break;
        }
    }
    return out;
}

} // namespace orvel::testing
