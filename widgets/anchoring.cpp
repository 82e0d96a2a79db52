#include "widgets/anchoring.h"

#include <QWidget>

Anchoring::Anchoring(QSize designClient)
    : m_designClient(designClient)
{
}

void Anchoring::add(QWidget *control, QRect design, int anchors)
{
    m_entries.append({control, design, anchors});
}

QRect Anchoring::place(QRect design, int anchors, QSize designClient, QSize client)
{
    const int dx = client.width() - designClient.width();
    const int dy = client.height() - designClient.height();
    QRect placed = design;
    if ((anchors & Right) && (anchors & Left))
        placed.setWidth(design.width() + dx);
    else if (anchors & Right)
        placed.moveLeft(design.left() + dx);
    if ((anchors & Bottom) && (anchors & Top))
        placed.setHeight(design.height() + dy);
    else if (anchors & Bottom)
        placed.moveTop(design.top() + dy);
    return placed;
}

void Anchoring::apply(QSize client) const
{
    for (const Entry &entry : m_entries)
        entry.control->setGeometry(place(entry.design, entry.anchors, m_designClient, client));
}
