// Renders the styled controls in each of their states, at their real size and
// magnified, into one PNG: xpgallery [output.png]

#include "widgets/xpbutton.h"
#include "widgets/xpcheckbox.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QImage>
#include <QList>
#include <QMouseEvent>
#include <QPainter>

#include <functional>
#include <memory>

namespace {

constexpr int kZoom = 4;
constexpr int kLabelWidth = 190;
constexpr int kGap = 8;

void enter(QWidget &control)
{
    const QPointF inside(5, 5);
    QEnterEvent event(inside, inside, control.mapToGlobal(inside));
    QApplication::sendEvent(&control, &event);
}

void focus(QWidget &control)
{
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&control, &event);
}

void press(QWidget &control)
{
    const QPointF inside(5, 5);
    QMouseEvent event(QEvent::MouseButtonPress, inside, control.mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &event);
}

void dragOff(QWidget &control)
{
    const QPointF outside(-20, -20);
    QMouseEvent event(QEvent::MouseMove, outside, control.mapToGlobal(outside), Qt::NoButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&control, &event);
}

// A small picture on a magenta background, which does not show.
QImage glyph()
{
    QImage picture(12, 12, QImage::Format_RGB32);
    picture.fill(Qt::magenta);
    QPainter painter(&picture);
    painter.fillRect(1, 1, 10, 10, QColor(0, 90, 200));
    painter.fillRect(4, 4, 4, 4, QColor(250, 210, 0));
    return picture;
}

struct State {
    QString name;
    std::function<std::unique_ptr<QWidget>()> make;
};

template <typename Control>
std::unique_ptr<QWidget> make(const QString &caption, QSize size, const std::function<void(Control &)> &prepare)
{
    auto control = std::make_unique<Control>();
    control->setCaption(caption);
    control->resize(size);
    prepare(*control);
    return control;
}

QList<State> states()
{
    using Button = std::function<void(TXPButton &)>;
    using Check = std::function<void(TXPCheckbox &)>;
    const QString ok = QStringLiteral("确  定");
    const QString never = QStringLiteral("下次不再提示");
    const QSize button(73, 21);
    const QSize check(97, 17);
    auto b = [&](const QString &caption, const Button &prepare) { return [=] { return make<TXPButton>(caption, button, prepare); }; };
    auto c = [&](bool checked, const Check &prepare) {
        return [=] {
            return make<TXPCheckbox>(never, check, [=](TXPCheckbox &box) {
                box.setChecked(checked);
                prepare(box);
            });
        };
    };
    return {
        {QStringLiteral("button"), b(ok, [](TXPButton &) {})},
        {QStringLiteral("button hot"), b(ok, [](TXPButton &x) { enter(x); })},
        {QStringLiteral("button focused"), b(ok, [](TXPButton &x) { focus(x); })},
        {QStringLiteral("button pressed"), b(ok, [](TXPButton &x) { enter(x); press(x); })},
        {QStringLiteral("button pressed, dragged off"), b(ok, [](TXPButton &x) { enter(x); press(x); dragOff(x); })},
        {QStringLiteral("button default"), b(ok, [](TXPButton &x) { x.setDefault(true); })},
        {QStringLiteral("button focus rectangle"), b(ok, [](TXPButton &x) { x.setShowFocusRect(true); focus(x); })},
        {QStringLiteral("button disabled"), b(ok, [](TXPButton &x) { x.setEnabled(false); })},
        {QStringLiteral("button \"X\""), b(QStringLiteral("X"), [](TXPButton &) {})},
        {QStringLiteral("button accelerator"), b(QStringLiteral("&Apply"), [](TXPButton &) {})},
        {QStringLiteral("button long, word wrap"), b(QStringLiteral("Apply the wallpaper now"), [](TXPButton &) {})},
        {QStringLiteral("button long, no word wrap"),
         b(QStringLiteral("Apply the wallpaper now"), [](TXPButton &x) { x.setWordWrap(false); })},
        {QStringLiteral("button glyph"), b(ok, [](TXPButton &x) { x.setGlyph(glyph()); })},
        {QStringLiteral("button glyph, disabled"), b(ok, [](TXPButton &x) {
             x.setGlyph(glyph());
             x.setEnabled(false);
         })},
        {QStringLiteral("check box"), c(false, [](TXPCheckbox &) {})},
        {QStringLiteral("check box checked"), c(true, [](TXPCheckbox &) {})},
        {QStringLiteral("check box hot"), c(false, [](TXPCheckbox &x) { enter(x); })},
        {QStringLiteral("check box checked, hot"), c(true, [](TXPCheckbox &x) { enter(x); })},
        {QStringLiteral("check box pressed"), c(false, [](TXPCheckbox &x) { enter(x); press(x); })},
        {QStringLiteral("check box focused"), c(true, [](TXPCheckbox &x) { focus(x); })},
        {QStringLiteral("check box disabled"), c(true, [](TXPCheckbox &x) { x.setEnabled(false); })},
        {QStringLiteral("check box bound lines"), c(false, [](TXPCheckbox &x) {
             x.setBoundLines(TXPCheckbox::blLeft | TXPCheckbox::blTop | TXPCheckbox::blRight | TXPCheckbox::blBottom);
         })},
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("xpgallery.png");

    QList<std::pair<QString, QImage>> pictures;
    for (const State &state : states()) {
        const std::unique_ptr<QWidget> control = state.make();
        pictures.append({state.name, control->grab().toImage()});
    }
    int width = 0;
    int height = kGap;
    for (const auto &[name, picture] : pictures) {
        width = std::max(width, kLabelWidth + picture.width() * (1 + kZoom) + 3 * kGap);
        height += picture.height() * kZoom + kGap;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(255, 255, 255));
    QPainter painter(&sheet);
    int top = kGap;
    for (const auto &[name, picture] : pictures) {
        const int rowHeight = picture.height() * kZoom;
        painter.setPen(Qt::black);
        painter.drawText(QRect(kGap, top, kLabelWidth - kGap, rowHeight), Qt::AlignVCenter, name);
        painter.drawImage(kLabelWidth, top + (rowHeight - picture.height()) / 2, picture);
        painter.drawImage(QRect(kLabelWidth + picture.width() + 2 * kGap, top, picture.width() * kZoom, rowHeight),
                          picture);
        top += rowHeight + kGap;
    }
    painter.end();
    return sheet.save(output) ? 0 : 1;
}
