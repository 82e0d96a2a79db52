#include "widgets/fontcolourdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

struct NamedColour {
    const char *name;
    QRgb rgb;
};

// The sixteen basic colours a font dialog offers.
constexpr NamedColour kColours[] = {
    {"黑色", 0x000000}, {"褐红色", 0x800000}, {"绿色", 0x008000}, {"橄榄色", 0x808000},
    {"藏青色", 0x000080}, {"紫色", 0x800080}, {"深青色", 0x008080}, {"灰色", 0x808080},
    {"银色", 0xC0C0C0}, {"红色", 0xFF0000}, {"酸橙色", 0x00FF00}, {"黄色", 0xFFFF00},
    {"蓝色", 0x0000FF}, {"紫红色", 0xFF00FF}, {"水绿色", 0x00FFFF}, {"白色", 0xFFFFFF},
};

void addColour(QComboBox *list, const QString &name, const QColor &colour)
{
    QPixmap swatch(24, 12);
    swatch.fill(colour);
    list->addItem(QIcon(swatch), name, colour);
}

} // namespace

FontColourDialog::FontColourDialog(QWidget *parent, const QFont &font, const QColor &colour)
    : QDialog(parent)
    , m_font(new QFontDialog(font, this))
    , m_colours(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("字体"));
    // The font dialog serves as a part of this one, without its own buttons.
    m_font->setWindowFlags(Qt::Widget);
    m_font->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
    m_font->setCurrentFont(font);

    for (const NamedColour &named : kColours)
        addColour(m_colours, QString::fromUtf8(named.name), QColor(named.rgb));
    // A colour chosen elsewhere (the colour dialog) is kept as it is.
    if (m_colours->findData(colour) < 0)
        addColour(m_colours, QStringLiteral("自定义"), colour);
    m_colours->setCurrentIndex(m_colours->findData(colour));

    auto *colourRow = new QFormLayout;
    colourRow->addRow(QStringLiteral("颜色(&C):"), m_colours);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_font);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

QFont FontColourDialog::selectedFont() const
{
    return m_font->currentFont();
}

QColor FontColourDialog::selectedColour() const
{
    return m_colours->currentData().value<QColor>();
}
