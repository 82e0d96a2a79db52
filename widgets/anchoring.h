#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class QWidget;

// Keeps controls where the window's design puts them: a control anchored to
// the right or bottom keeps its gap to that edge when the client area
// changes, one anchored to both sides stretches. No layout reflows the design.
class Anchoring {
public:
    enum Anchor { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    explicit Anchoring(QSize designClient);

    // `design` is the control's rectangle in the design client area.
    void add(QWidget *control, QRect design, int anchors = Left | Top);

    // Places every control for a client area of `client`.
    void apply(QSize client) const;

    static QRect place(QRect design, int anchors, QSize designClient, QSize client);

private:
    struct Entry {
        QWidget *control;
        QRect design;
        int anchors;
    };
    QSize m_designClient;
    QList<Entry> m_entries;
};
