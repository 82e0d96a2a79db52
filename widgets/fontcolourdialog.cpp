#include "widgets/fontcolourdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QSignalBlocker>
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

// Rows of the style list: bit 0 italic, bit 1 bold.
constexpr const char *kStyles[] = {"常规", "斜体", "粗体", "粗斜体"};

constexpr double kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// The largest size the store keeps, in points.
constexpr double kLargestSize = 1638;

void addColour(QComboBox *list, const QString &name, const QColor &colour)
{
    QPixmap swatch(24, 12);
    swatch.fill(colour);
    list->addItem(QIcon(swatch), name, colour);
}

QLineEdit *readOnlyEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

// The item of `list` that reads `text`, selected and scrolled to; none
// selected for an empty text.
void selectText(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = text.isEmpty() ? QList<QListWidgetItem *>()
                                                          : list->findItems(text, Qt::MatchFixedString);
    if (found.isEmpty()) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    list->setCurrentItem(found.first());
    list->scrollToItem(found.first());
}

QString selectedText(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

// One column of the dialog: caption, edit line above its list; the
// caption's key goes to `buddy`.
QVBoxLayout *column(QWidget *parent, const QString &caption, QLineEdit *edit, QListWidget *list, QWidget *buddy)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    auto *layout = new QVBoxLayout;
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(list);
    return layout;
}

} // namespace

FontColourDialog::FontColourDialog(QWidget *parent, const FontChoice &shown)
    : QDialog(parent)
    , m_opened(shown)
    , m_face(readOnlyEdit(this))
    , m_faces(new QListWidget(this))
    , m_style(readOnlyEdit(this))
    , m_styles(new QListWidget(this))
    , m_size(new QLineEdit(this))
    , m_sizes(new QListWidget(this))
    , m_strikeOut(new QCheckBox(QStringLiteral("删除线(&K)"), this))
    , m_underline(new QCheckBox(QStringLiteral("下划线(&U)"), this))
    , m_colours(new QComboBox(this))
    , m_sample(new QLabel(QStringLiteral("微软中文软件 AaBbYyZz"), this))
{
    setWindowTitle(QStringLiteral("字体"));
    m_size->setValidator(new QDoubleValidator(1, kLargestSize, 2, m_size));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumSize(220, 60);
    fillLists(shown);

    // A click on the list puts the item in the line above it; a size may
    // also be typed.
    connect(m_faces, &QListWidget::itemSelectionChanged, this, [this] {
        m_face->setText(selectedText(m_faces));
        showSample();
    });
    connect(m_styles, &QListWidget::itemSelectionChanged, this, [this] {
        m_style->setText(selectedText(m_styles));
        showSample();
    });
    connect(m_sizes, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_sizes->selectedItems().isEmpty())
            m_size->setText(selectedText(m_sizes));
    });
    connect(m_size, &QLineEdit::textChanged, this, [this](const QString &text) {
        const QSignalBlocker quiet(m_sizes);
        selectText(m_sizes, text);
        showSample();
    });
    connect(m_colours, &QComboBox::currentIndexChanged, this, [this] { showSample(); });

    auto *lists = new QHBoxLayout;
    lists->addLayout(column(this, QStringLiteral("字体(&F):"), m_face, m_faces, m_faces), 3);
    lists->addLayout(column(this, QStringLiteral("字形(&Y):"), m_style, m_styles, m_styles), 2);
    lists->addLayout(column(this, QStringLiteral("大小(&S):"), m_size, m_sizes, m_size), 1);

    auto *effects = new QGroupBox(QStringLiteral("效果"), this);
    auto *effectsLayout = new QGridLayout(effects);
    effectsLayout->addWidget(m_strikeOut, 0, 0, 1, 2);
    effectsLayout->addWidget(m_underline, 1, 0, 1, 2);
    auto *colourLabel = new QLabel(QStringLiteral("颜色(&C):"), effects);
    colourLabel->setBuddy(m_colours);
    effectsLayout->addWidget(colourLabel, 2, 0);
    effectsLayout->addWidget(m_colours, 2, 1);
    auto *sample = new QGroupBox(QStringLiteral("示例"), this);
    (new QVBoxLayout(sample))->addWidget(m_sample);
    auto *lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sample, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(lower);
    layout->addWidget(buttons);
    showSample();
}

void FontColourDialog::fillLists(const FontChoice &shown)
{
    const QFont &font = shown.font;
    QStringList faces = QFontDatabase::families();
    // A face that is not installed (from a page written elsewhere) can
    // still be kept.
    if (!faces.contains(font.family()))
        faces.prepend(font.family());
    m_faces->addItems(faces);
    if (shown.determined & FontChoice::Face)
        selectText(m_faces, font.family());
    m_face->setText(selectedText(m_faces));

    for (const char *style : kStyles)
        m_styles->addItem(QString::fromUtf8(style));
    if ((shown.determined & FontChoice::Bold) && (shown.determined & FontChoice::Italic))
        m_styles->setCurrentRow((font.italic() ? 1 : 0) + (font.bold() ? 2 : 0));
    m_style->setText(selectedText(m_styles));

    for (double size : kSizes)
        m_sizes->addItem(QString::number(size));
    if (shown.determined & FontChoice::Size)
        m_size->setText(QString::number(font.pointSizeF()));
    selectText(m_sizes, m_size->text());

    showEffect(m_strikeOut, shown.determined & FontChoice::StrikeOut, font.strikeOut());
    showEffect(m_underline, shown.determined & FontChoice::Underline, font.underline());

    for (const NamedColour &named : kColours)
        addColour(m_colours, QString::fromUtf8(named.name), QColor(named.rgb));
    if (!(shown.determined & FontChoice::Colour)) {
        m_colours->setCurrentIndex(-1);
        return;
    }
    // A colour chosen elsewhere (the colour dialog) is kept as it is.
    if (m_colours->findData(shown.colour) < 0)
        addColour(m_colours, QStringLiteral("自定义"), shown.colour);
    m_colours->setCurrentIndex(m_colours->findData(shown.colour));
}

void FontColourDialog::showEffect(QCheckBox *box, bool determined, bool on)
{
    // Half ticked until the user sets it; from then on just on or off.
    box->setTristate(!determined);
    box->setCheckState(determined ? (on ? Qt::Checked : Qt::Unchecked) : Qt::PartiallyChecked);
    connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    connect(box, &QCheckBox::stateChanged, this, [this] { showSample(); });
}

FontChoice FontColourDialog::chosen() const
{
    FontChoice result = m_opened;
    result.determined = {};
    if (const QString face = selectedText(m_faces); !face.isEmpty()) {
        result.font.setFamilies({face});
        result.determined |= FontChoice::Face;
    }
    if (const QList<QListWidgetItem *> style = m_styles->selectedItems(); !style.isEmpty()) {
        const int row = m_styles->row(style.first());
        result.font.setItalic(row & 1);
        result.font.setBold(row & 2);
        result.determined |= FontChoice::Bold | FontChoice::Italic;
    }
    bool sized = false;
    const double points = m_size->text().toDouble(&sized);
    if (sized && points >= 1 && points <= kLargestSize) {
        result.font.setPointSizeF(points);
        result.determined |= FontChoice::Size;
    }
    if (m_strikeOut->checkState() != Qt::PartiallyChecked) {
        result.font.setStrikeOut(m_strikeOut->isChecked());
        result.determined |= FontChoice::StrikeOut;
    }
    if (m_underline->checkState() != Qt::PartiallyChecked) {
        result.font.setUnderline(m_underline->isChecked());
        result.determined |= FontChoice::Underline;
    }
    if (m_colours->currentIndex() >= 0) {
        result.colour = m_colours->currentData().value<QColor>();
        result.determined |= FontChoice::Colour;
    }
    return result;
}

void FontColourDialog::showSample()
{
    // Blank attributes show as they were in the text's first run.
    const FontChoice now = chosen();
    m_sample->setFont(now.font);
    QPalette colours = m_sample->palette();
    colours.setColor(QPalette::WindowText, now.colour);
    m_sample->setPalette(colours);
}
