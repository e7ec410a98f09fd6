#pragma once
// The shape of a definition text as the item lists give it: the number of pieces, with a "+"
// before it when the text starts with an empty line and after it when it ends with one.
// A text with a lone CR or LF, or an empty piece inside it, has no such shape: "broken".
#include <QString>
#include <QStringList>

inline QString definitionLayout(const QString& text)
{
    QStringList parts = text.split(QStringLiteral("\r\n\r\n"));
    QString lead;
    QString trail;
    if (parts.size() > 1 && parts.first().isEmpty()) {
        lead = QStringLiteral("+");
        parts.removeFirst();
    }
    if (parts.size() > 1 && parts.last().isEmpty()) {
        trail = QStringLiteral("+");
        parts.removeLast();
    }
    for (const QString& p : parts)
        if (p.isEmpty() || p.contains(u'\r') || p.contains(u'\n'))
            return QStringLiteral("broken");
    return lead + QString::number(parts.size()) + trail;
}
