#include "controltable.h"
#include "form1.h"
#include "outcome.h"
#include "runtimeerror.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void darkDesktop_data();
    void darkDesktop();
    void lightDesktop_data();
    void lightDesktop();
    void screenshots_data();
    void screenshots();
    void controls_data();
    void controls();
    void startUp();
    void tabOrder();
    void levelButtons_data();
    void levelButtons();
    void badPriceKeepsEveryBox_data();
    void badPriceKeepsEveryBox();
    void megabytePaste();
    void usersNumberSettings();
    void enterDoesNothing();
    void clear();
    void levelAfterClear();
    void exitButton();
    void closeBox();
    void errorBox();

private:
    QPushButton *button(const char *name) const { return m_form->findChild<QPushButton *>(name); }
    QStringList allTexts() const;
    void fillEveryBox();
    static void addColourRows();
    void checkColours(const QPalette &desktop);

    std::unique_ptr<Form1> m_form;
    QList<int> m_reported;
    QStringList m_explained;
    QPalette m_desktop;
};

namespace {

// Relative luminance and contrast ratio as WCAG 2.x defines them.
double luminance(const QColor &colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor &text, const QColor &background)
{
    // The list form returns values: the pair form would refer to the temporaries.
    const auto [darker, lighter] = std::minmax({ luminance(text), luminance(background) });
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

void TestForm1::init()
{
    m_reported.clear();
    m_explained.clear();
    m_desktop = QApplication::palette();
    m_form = std::make_unique<Form1>(
        NumberConventions {},
        [this](QWidget *, const QString &explanation, const RuntimeError &error) {
            m_reported << error.number();
            m_explained << explanation;
        });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestForm1::cleanup()
{
    m_form.reset();
    QApplication::setPalette(m_desktop);
}

QStringList TestForm1::allTexts() const
{
    QStringList texts;
    for (int number = 1; number <= 16; ++number)
        texts << m_form->textBox(number)->text();
    return texts;
}

void TestForm1::fillEveryBox()
{
    for (int number = 1; number <= 16; ++number)
        m_form->textBox(number)->setText(QStringLiteral("typed %1").arg(number));
}

void TestForm1::window()
{
    QCOMPARE(m_form->windowTitle(), "Morvane");
    QCOMPARE(m_form->windowIcon().availableSizes(), (QList<QSize> { { 16, 16 }, { 32, 32 } }));
    QCOMPARE(m_form->size(), QSize(241, 471));
    const QColor lightOrange(255, 192, 128);
    QCOMPARE(m_form->palette().color(QPalette::Window), lightOrange);
    for (const QLabel *label : m_form->findChildren<QLabel *>()) {
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), lightOrange);
    }
}

// Each kind of text in the window, the colours it is drawn in, and those of its background.
void TestForm1::addColourRows()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPalette::ColorRole>("textRole");
    QTest::addColumn<QPalette::ColorRole>("backgroundRole");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");

    const QColor lightOrange(255, 192, 128);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor lightGrey(240, 240, 240);
    using enum QPalette::ColorRole;
    // clang-format off
    QTest::newRow("caption") << "Label3" << WindowText << Window << black << lightOrange;
    QTest::newRow("level caption") << "Label5(0)" << WindowText << Window << black << lightOrange;
    QTest::newRow("guidance paragraph") << "Label6" << WindowText << Window << black << lightOrange;
    QTest::newRow("price box") << "Text1" << Text << Base << black << white;
    QTest::newRow("level box") << "Text3" << Text << Base << black << white;
    QTest::newRow("selected text") << "Text1" << HighlightedText << Highlight << white
                                   << QColor(0, 90, 158);
    QTest::newRow("button") << "Command1" << ButtonText << Button << black << lightGrey;
    QTest::newRow("error message") << "qt_msgbox_label" << WindowText << Window << black
                                   << lightOrange;
    QTest::newRow("error box button") << "确定" << ButtonText << Button << black << lightGrey;
    // clang-format on
}

// A desktop's colour scheme reaches Qt as the application palette, at start or while the window is
// open; the window keeps its own look either way, every text at a contrast of at least 4.5:1.
void TestForm1::checkColours(const QPalette &desktop)
{
    QFETCH(QString, control);
    QFETCH(QPalette::ColorRole, textRole);
    QFETCH(QPalette::ColorRole, backgroundRole);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QApplication::setPalette(desktop);
    Form1 startedDark;
    for (Form1 *form : { m_form.get(), &startedDark }) {
        const std::unique_ptr<QMessageBox> box
            = runtimeErrorBox(form, QStringLiteral("最高价“abc”不是有效的价格，请输入数字。"),
                              RuntimeError(ErrorCode::TypeMismatch));
        const QWidget *widget = form->findChild<QWidget *>(control);
        if (!widget)
            widget = box->findChild<QWidget *>(control);
        for (const QAbstractButton *choice : box->buttons())
            widget = choice->text() == control ? choice : widget;
        QVERIFY(widget);
        const QColor drawn = widget->palette().color(textRole);
        const QColor behind = widget->palette().color(backgroundRole);
        QCOMPARE(drawn, text);
        QCOMPARE(behind, background);
        QVERIFY2(contrast(drawn, behind) >= 4.5, qPrintable(describe(contrast(drawn, behind))));
    }
}

void TestForm1::darkDesktop_data()
{
    addColourRows();
}

void TestForm1::darkDesktop()
{
    // As a dark desktop hands it over: light text on dark grey, dark boxes, a bright selection.
    QPalette dark(QColor(238, 238, 236), QColor(53, 53, 53), QColor(80, 80, 80), QColor(30, 30, 30),
                  QColor(45, 45, 45), QColor(238, 238, 236), Qt::white, QColor(36, 36, 36),
                  QColor(53, 53, 53));
    dark.setColor(QPalette::Highlight, QColor(53, 132, 228));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    checkColours(dark);
}

void TestForm1::lightDesktop_data()
{
    addColourRows();
}

void TestForm1::lightDesktop()
{
    // As a light desktop hands it over: dark grey text on near-white, a bright selection.
    QPalette light(QColor(46, 52, 54), QColor(246, 245, 244), Qt::white, QColor(190, 190, 190),
                   QColor(220, 220, 220), QColor(46, 52, 54), Qt::white, Qt::white,
                   QColor(246, 245, 244));
    light.setColor(QPalette::Highlight, QColor(53, 132, 228));
    light.setColor(QPalette::HighlightedText, Qt::white);
    checkColours(light);
}

// The README's and the software centres' pictures of the window: a layout change means retaking
// them with scripts/screenshots.
void TestForm1::screenshots_data()
{
    QTest::addColumn<QString>("picture");

    QTest::newRow("Linux") << QStringLiteral(SCREENSHOT_DIR "/morvane-linux.png");
    QTest::newRow("Windows") << QStringLiteral(SCREENSHOT_DIR "/morvane-windows.png");
}

void TestForm1::screenshots()
{
    QFETCH(QString, picture);
    QImageReader reader(picture);
    QVERIFY2(reader.canRead(), qPrintable(picture));
    QCOMPARE(reader.size(), m_form->size());
}

void TestForm1::controls_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < int(form1Controls.size()); ++row)
        QTest::newRow(form1Controls[row].name) << row;
}

void TestForm1::controls()
{
    QFETCH(int, row);
    const ControlRow &expected = form1Controls[row];
    QWidget *widget = m_form->findChild<QWidget *>(expected.name);
    QVERIFY(widget);
    const QRect place(expected.left / 15, expected.top / 15, expected.width / 15,
                      expected.height / 15);
    QCOMPARE(widget->geometry(), place);

    const QString caption = QString::fromUtf8(expected.caption);
    // Each of the window's fonts that is installed here has every caption character (no
    // missing-glyph boxes), and a label's caption fits its box in it.
    int fontsInstalled = 0;
    for (const QString &family : widget->font().families()) {
        if (!QFontDatabase::hasFamily(family))
            continue;
        ++fontsInstalled;
        QFont font = widget->font();
        font.setFamilies({ family });
        const QRawFont face = QRawFont::fromFont(font);
        for (const QChar character : caption)
            QVERIFY2(face.supportsCharacter(character), qPrintable(family));
        const QRect drawn = QFontMetrics(font).boundingRect(
            QRect(QPoint(), place.size()), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
            caption);
        QVERIFY2(expected.kind != ControlKind::Label
                     || QRect(QPoint(), place.size()).contains(drawn),
                 qPrintable(family + QStringLiteral(": the caption is clipped")));
    }
    QVERIFY(fontsInstalled > 0);

    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(spoken);
    switch (expected.kind) {
    case ControlKind::Label: {
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), caption);
        QCOMPARE(widget->focusPolicy(), Qt::NoFocus);
        QCOMPARE(spoken->role(), QAccessible::StaticText);
        QCOMPARE(spoken->text(QAccessible::Name), caption);
        break;
    }
    case ControlKind::TextBox:
        QCOMPARE(qobject_cast<QLineEdit *>(widget)->text(), QString());
        QCOMPARE(spoken->role(), QAccessible::EditableText);
        QCOMPARE(spoken->text(QAccessible::Name), QString::fromUtf8(expected.spokenName));
        QVERIFY(!spoken->text(QAccessible::Name).isEmpty());
        break;
    case ControlKind::Button:
        QCOMPARE(qobject_cast<QPushButton *>(widget)->text(), caption);
        QVERIFY(!qobject_cast<QPushButton *>(widget)->autoDefault());
        QCOMPARE(spoken->role(), QAccessible::Button);
        QCOMPARE(spoken->text(QAccessible::Name), caption);
        break;
    }

    // Resizing the window moves nothing.
    m_form->resize(120, 200);
    QCOMPARE(widget->geometry(), place);
}

void TestForm1::startUp()
{
    QCOMPARE(allTexts(), QStringList(16, QString()));
    QCOMPARE(QApplication::focusWidget(), m_form->textBox(1));
    QCOMPARE(m_form->textBox(1)->maxLength(), std::numeric_limits<int>::max());
}

void TestForm1::tabOrder()
{
    const QStringList expected { "Text1",    "Text2",    "Text3",  "Text4",    "Text5",    "Text6",
                                 "Text7",    "Text8",    "Text9",  "Command1", "Text11",   "Text12",
                                 "Text13",   "Text14",   "Text15", "Text16",   "Command2", "Text10",
                                 "Command3", "Command4", "Text1" };
    QStringList walked { QApplication::focusWidget()->objectName() };
    for (int step = 1; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, expected);
}

void TestForm1::levelButtons_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QStringList>("expected");

    const QString typed = QStringLiteral("typed %1");
    QStringList support;
    QStringList resistance;
    for (int number = 3; number <= 16; ++number)
        (number <= 9 ? support : resistance) << typed.arg(number);

    // Each button writes its own column and leaves the other exactly as it was.
    // clang-format off
    QTest::newRow("support 20 and 10") << "Command1" << "20" << "10"
        << (QStringList { "20", "10" }
            + QStringList { "20.00", "18.09", "16.18", "15.00", "13.82", "11.91", "10.00" }
            + resistance);
    QTest::newRow("support 12.5 and 10") << "Command1" << "12.5" << "10"
        << (QStringList { "12.5", "10" }
            + QStringList { "12.50", "12.02", "11.55", "11.25", "10.96", "10.48", "10.00" }
            + resistance);
    QTest::newRow("resistance 20 and 10") << "Command2" << "20" << "10"
        << (QStringList { "20", "10" } + support
            + QStringList { "20.00", "18.09", "16.18", "15.00", "13.82", "11.91", "10.00" });
    QTest::newRow("resistance 10 and 20") << "Command2" << "10" << "20"
        << (QStringList { "10", "20" } + support
            + QStringList { "10.00", "11.91", "13.82", "15.00", "16.18", "18.09", "20.00" });
    // clang-format on
}

void TestForm1::levelButtons()
{
    QFETCH(QString, command);
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(QStringList, expected);

    fillEveryBox();
    m_form->textBox(1)->clear();
    m_form->textBox(2)->clear();
    QTest::keyClicks(m_form->textBox(1), high);
    QTest::keyClicks(m_form->textBox(2), low);
    QTest::mouseClick(button(qPrintable(command)), Qt::LeftButton);
    QCOMPARE(allTexts(), expected);
    QTest::mouseClick(button(qPrintable(command)), Qt::LeftButton);
    QCOMPARE(allTexts(), expected);
    QCOMPARE(m_reported, QList<int>());
}

void TestForm1::badPriceKeepsEveryBox_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("high");
    QTest::addColumn<QString>("low");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("explanation");
    QTest::addColumn<int>("faultyBox");

    // A quoted text keeps its first twenty characters; what could hide or reorder text shows as �.
    // clang-format off
    QTest::newRow("support, letters") << "Command1" << "abc" << "10" << 13
        << "最高价“abc”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("support, empty low") << "Command1" << "20" << "" << 13
        << "还没有输入最低价。" << 2;
    QTest::newRow("support, huge") << "Command1" << "1e999" << "10" << 6
        << "最高价“1e999”太大，超出了能计算的范围。" << 1;
    QTest::newRow("resistance, letters") << "Command2" << "20" << "abc" << 13
        << "最低价“abc”不是有效的价格，请输入数字。" << 2;
    QTest::newRow("resistance, empty high") << "Command2" << "" << "10" << 13
        << "还没有输入最高价。" << 1;
    QTest::newRow("resistance, blank low") << "Command2" << "20" << u"　 "_s << 13
        << "还没有输入最低价。" << 2;
    QTest::newRow("resistance, huge negative low") << "Command2" << "20" << "-1e999" << 6
        << "最低价“-1e999”太大，超出了能计算的范围。" << 2;
    QTest::newRow("resistance, infinite range") << "Command2" << "1e308" << "-1e308" << 6
        << "最高价与最低价相差太大，超出了能计算的范围。" << 1;
    QTest::newRow("support, both bad: the high is named") << "Command1" << "abc" << "def" << 13
        << "最高价“abc”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("twenty characters in full") << "Command1" << "1234567890123456789x" << "10"
        << 13 << "最高价“1234567890123456789x”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("long text shortened") << "Command1" << "20" << "12345678901234567890x" << 13
        << "最低价“12345678901234567890…”不是有效的价格，请输入数字。" << 2;
    QTest::newRow("shortened between characters") << "Command2" << u"价格😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀"_s << "10" << 13
        << u"最高价“价格😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀…”不是有效的价格，请输入数字。"_s << 1;
    QTest::newRow("markup shown as typed") << "Command1" << "<b>12</b>" << "10" << 13
        << "最高价“<b>12</b>”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("placeholders shown as typed") << "Command1" << "%1%2" << "10" << 13
        << "最高价“%1%2”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("line break and tab") << "Command1" << "12\n3\t" << "10" << 13
        << "最高价“12�3�”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("right-to-left override") << "Command1" << u"\u202E53.21"_s << "10" << 13
        << "最高价“�53.21”不是有效的价格，请输入数字。" << 1;
    QTest::newRow("lone surrogate") << "Command2" << "20" << QString(QChar(0xD800)) << 13
        << "最低价“�”不是有效的价格，请输入数字。" << 2;
    // clang-format on
}

// Instead of ending the program, an error is reported in the user's terms and everything typed
// stays; afterwards the price to correct is selected, ready to be typed over.
void TestForm1::badPriceKeepsEveryBox()
{
    QFETCH(QString, command);
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(int, error);
    QFETCH(QString, explanation);
    QFETCH(int, faultyBox);

    fillEveryBox();
    m_form->textBox(1)->setText(high);
    m_form->textBox(2)->setText(low);
    const QStringList before = allTexts();
    QTest::mouseClick(button(qPrintable(command)), Qt::LeftButton);
    QCOMPARE(m_reported, QList<int> { error });
    QCOMPARE(m_explained, QStringList { explanation });
    QCOMPARE(allTexts(), before);
    QVERIFY(m_form->isVisible());
    QCOMPARE(QApplication::focusWidget(), m_form->textBox(faultyBox));
    QCOMPARE(m_form->textBox(faultyBox)->selectedText(), m_form->textBox(faultyBox)->text());
}

void TestForm1::megabytePaste()
{
    const QString pasted(1 << 20, u'9');
    m_form->textBox(1)->setText(pasted);
    m_form->textBox(2)->setText(QStringLiteral("10"));
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QCOMPARE(m_reported, QList<int> { 6 });
    QCOMPARE(m_explained,
             QStringList { "最高价“99999999999999999999…”太大，超出了能计算的范围。" });
    QCOMPARE(m_form->textBox(1)->text(), pasted);
}

// The window follows the user's own number settings. ctest runs this under LC_ALL=de_DE.UTF-8,
// which Qt on Linux and Wine on Windows both turn into a decimal comma and a grouping dot.
void TestForm1::usersNumberSettings()
{
    if (QLocale().decimalPoint() != u',')
        QSKIP("needs a user who writes 1.234,5 (LC_ALL=de_DE.UTF-8)");
    Form1 form;
    form.show();
    // Should the settings not reach the window, the error box must not hold the test up.
    QTimer dismiss;
    connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    dismiss.start(50);
    QTest::keyClicks(form.textBox(1), QStringLiteral("1.234,5"));
    QTest::keyClicks(form.textBox(2), QStringLiteral("1.000"));
    QTest::mouseClick(form.findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QCOMPARE(form.textBox(3)->text(), "1234,50");
    QCOMPARE(form.textBox(6)->text(), "1117,25");
    QCOMPARE(form.textBox(9)->text(), "1000,00");
}

void TestForm1::enterDoesNothing()
{
    QTest::keyClicks(m_form->textBox(1), QStringLiteral("20"));
    QTest::keyClicks(m_form->textBox(2), QStringLiteral("10"));
    QTest::keyClick(m_form->textBox(2), Qt::Key_Return);
    QTest::keyClick(m_form->textBox(2), Qt::Key_Escape);
    QCOMPARE(m_form->textBox(3)->text(), QString());
    QVERIFY(m_form->isVisible());
}

void TestForm1::clear()
{
    m_form->textBox(1)->setText(QStringLiteral("20"));
    m_form->textBox(2)->setText(QStringLiteral("10"));
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    QVERIFY(!allTexts().contains(QString()));

    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    QCOMPARE(allTexts(), QStringList(16, QString()));
    // A click gives the button the focus as usual; the command itself leaves the focus alone.
    m_form->textBox(7)->setFocus();
    button("Command3")->click();
    QCOMPARE(allTexts(), QStringList(16, QString()));
    QCOMPARE(QApplication::focusWidget(), m_form->textBox(7));
}

void TestForm1::levelAfterClear()
{
    m_form->textBox(1)->setText(QStringLiteral("20"));
    m_form->textBox(2)->setText(QStringLiteral("10"));
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
    QCOMPARE(m_reported, (QList<int> { 13, 13 }));
    QCOMPARE(allTexts(), QStringList(16, QString()));
}

void TestForm1::exitButton()
{
    fillEveryBox();
    QTest::mouseClick(button("Command4"), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
}

void TestForm1::closeBox()
{
    QVERIFY(m_form->close());
    QVERIFY(!m_form->isVisible());
}

void TestForm1::errorBox()
{
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        for (const QAbstractButton *choice : box->buttons())
            buttons << choice->text();
        box->buttons().constFirst()->click();
    });
    showRuntimeError(m_form.get(), QStringLiteral("最低价“<i>%1</i>”不是有效的价格，请输入数字。"),
                     RuntimeError(ErrorCode::TypeMismatch));
    QCOMPARE(title, "Morvane");
    QCOMPARE(text, "最低价“<i>%1</i>”不是有效的价格，请输入数字。\n\n运行时错误 13：类型不匹配");
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(buttons, QStringList { "确定" });
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
