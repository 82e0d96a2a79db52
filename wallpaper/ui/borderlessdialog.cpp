#include "wallpaper/ui/borderlessdialog.h"

#include "widgets/chinesefonts.h"
#include "widgets/framemover.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

BorderlessDialog::BorderlessDialog(QWidget *parent, QSize client)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_mover(new FrameMover(this))
{
    m_mover->setResizable(false);
    setFixedSize(client);
    setFont(ChineseFonts::font(QStringLiteral("MS Sans Serif"), 11));
}

void BorderlessDialog::dragBy(QWidget *background)
{
    m_background = background;
    background->installEventFilter(this);
}

bool BorderlessDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_background && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        m_mover->startMove();
    return QDialog::eventFilter(watched, event);
}

void BorderlessDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        centreOnOwner();
}

void BorderlessDialog::centreOnOwner()
{
    QRect owner;
    if (parentWidget())
        owner = parentWidget()->window()->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        owner = screen->availableGeometry();
    move(owner.left() + (owner.width() - width()) / 2, owner.top() + (owner.height() - height()) / 2);
}

void BorderlessDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
