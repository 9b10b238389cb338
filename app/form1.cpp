#include "form1.h"

#include "controltable.h"
#include "priceerror.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

char16_t firstCharacter(const QString &text, char16_t fallback)
{
    return text.size() == 1 ? text.front().unicode() : fallback;
}

NumberConventions systemNumberConventions()
{
    const QLocale locale;
    const NumberConventions standard;
    return { firstCharacter(locale.decimalPoint(), standard.decimalPoint),
             firstCharacter(locale.groupSeparator(), standard.groupSeparator) };
}

// The window's own light look, whatever the desktop's colour scheme: black captions on light
// orange, black text in white boxes, buttons in the light grey of Fusion's and Windows' light
// schemes, and a selection dark enough for white text. The style's own palette is no help here:
// Fusion's turns dark with the desktop.
QPalette lightPalette()
{
    // Derives black text, white boxes and the buttons' shades from the two colours.
    QPalette colours(QColor(240, 240, 240), QColor(255, 192, 128)); // light grey, light orange
    colours.setColor(QPalette::Highlight, QColor(0, 90, 158));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    // Every role is the window's own, so none follows the desktop's palette.
    colours.setResolveMask(~QPalette::ResolveMask(0));
    return colours;
}

// What the user typed, for a message: characters that could hide or reorder text (controls,
// bidirectional marks, line breaks, lone surrogates) shown as "�", and a long text cut to its first
// twenty characters and "…".
QString quoted(const QString &typed)
{
    QString shown;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const bool pair
            = typed[i].isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate();
        const char32_t character
            = pair ? QChar::surrogateToUcs4(typed[i], typed[i + 1]) : typed[i].unicode();
        switch (QChar::category(character)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            shown += QChar::ReplacementCharacter;
            break;
        default:
            shown += typed.mid(i, pair ? 2 : 1);
        }
        i += pair ? 1 : 0;
    }
    constexpr int longest = 20;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, shown);
    qsizetype end = 0;
    for (int count = 0; count < longest && end != -1; ++count)
        end = characters.toNextBoundary();
    if (end == -1 || end == shown.size())
        return QStringLiteral("“%1”").arg(shown);
    return QStringLiteral("“%1…”").arg(shown.left(end));
}

// The error in the user's terms: which price is wrong and why, quoting what was typed.
QString explanation(const PriceError &error, const QString &high, const QString &low)
{
    if (error.faulty() == Faulty::Difference)
        return QStringLiteral("最高价与最低价相差太大，超出了能计算的范围。");
    const QString name
        = error.faulty() == Faulty::High ? QStringLiteral("最高价") : QStringLiteral("最低价");
    const QString &typed = error.faulty() == Faulty::High ? high : low;
    if (error.code() == ErrorCode::Overflow)
        return QStringLiteral("%1%2太大，超出了能计算的范围。").arg(name, quoted(typed));
    if (typed.trimmed().isEmpty())
        return QStringLiteral("还没有输入%1。").arg(name);
    return QStringLiteral("%1%2不是有效的价格，请输入数字。").arg(name, quoted(typed));
}

QWidget *createControl(const ControlRow &row, QWidget *parent)
{
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case ControlKind::Label: {
        auto *label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        // Opaque, painted in the window's colour.
        label->setAutoFillBackground(true);
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(parent);
        // Qt would stop at 32767 characters; a pasted text must arrive whole.
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setAccessibleName(QString::fromUtf8(row.spokenName));
        return box;
    }
    case ControlKind::Button:
        return new QPushButton(caption, parent);
    }
    return nullptr;
}

} // namespace

Form1::Form1() : Form1(systemNumberConventions(), showRuntimeError) { }

Form1::Form1(NumberConventions conventions, ErrorReporter reportError)
    : m_conventions(conventions), m_reportError(std::move(reportError))
{
    setWindowTitle(QStringLiteral("Morvane"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/morvane-16.png"));
    icon.addFile(QStringLiteral(":/icons/morvane-32.png"));
    setWindowIcon(icon);
    resize(pixels(clientWidthTwips), pixels(clientHeightTwips));
    setPalette(lightPalette());
    setAutoFillBackground(true);
    // Every Chinese Windows has Microsoft YaHei, a sans face drawn for the screen like the Linux
    // set-up's WenQuanYi Micro Hei. A pixel size keeps the captions inside the table's boxes at
    // any dots per inch.
    QFont captionFont;
    captionFont.setFamilies(
        { QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei") });
    captionFont.setPixelSize(12);
    setFont(captionFont);

    // Later rows stack above earlier ones: each text box covers the pixel its caption runs under.
    std::vector<std::pair<int, QWidget *>> focusable;
    for (const ControlRow &row : form1Controls) {
        QWidget *control = createControl(row, this);
        control->setObjectName(QString::fromLatin1(row.name));
        control->setGeometry(pixels(row.left), pixels(row.top), pixels(row.width),
                             pixels(row.height));
        if (control->focusPolicy() != Qt::NoFocus)
            focusable.emplace_back(row.tabIndex, control);
    }
    // At the captions' size this font needs five lines for the guidance paragraph; its box has
    // room for four.
    QFont paragraphFont = captionFont;
    paragraphFont.setPixelSize(11);
    findChild<QLabel *>(QStringLiteral("Label6"))->setFont(paragraphFont);

    std::ranges::sort(focusable);
    for (std::size_t i = 1; i < focusable.size(); ++i)
        setTabOrder(focusable[i - 1].second, focusable[i].second);

    for (int number = 1; number <= int(m_textBoxes.size()); ++number)
        m_textBoxes[number - 1] = findChild<QLineEdit *>(QStringLiteral("Text%1").arg(number));
    const auto onClick = [this](const char *button, void (Form1::*handler)()) {
        connect(findChild<QPushButton *>(QLatin1String(button)), &QPushButton::clicked, this,
                handler);
    };
    onClick("Command1", &Form1::command1Click);
    onClick("Command2", &Form1::command2Click);
    onClick("Command3", &Form1::command3Click);
    onClick("Command4", &Form1::command4Click);

    textBox(1)->setFocus();
}

QLineEdit *Form1::textBox(int number) const
{
    return m_textBoxes.at(number - 1);
}

void Form1::command1Click()
{
    fillColumn(supportLevels, 3);
}

void Form1::command2Click()
{
    fillColumn(resistanceLevels, 10);
}

void Form1::command3Click()
{
    for (QLineEdit *box : m_textBoxes)
        box->clear();
}

void Form1::command4Click()
{
    close();
}

// A bad price is reported and the window goes on with every box as it was, so nothing typed is
// lost; then the price to correct is selected, ready to be typed over. When only the difference is
// too large, that is the high.
void Form1::fillColumn(LevelCommand command, int firstBox)
{
    const QString high = textBox(1)->text();
    const QString low = textBox(2)->text();
    try {
        const LevelColumn column
            = command(high.toStdU16String(), low.toStdU16String(), m_conventions);
        for (std::size_t i = 0; i < column.size(); ++i)
            textBox(firstBox + int(i))->setText(QString::fromStdU16String(column[i]));
    } catch (const PriceError &error) {
        m_reportError(this, explanation(error, high, low), error);
        QLineEdit *faulty = textBox(error.faulty() == Faulty::Low ? 2 : 1);
        faulty->setFocus();
        faulty->selectAll();
    }
}
