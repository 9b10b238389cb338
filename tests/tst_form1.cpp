#include "controltable.h"
#include "form1.h"
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

#include <memory>

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
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

    std::unique_ptr<Form1> m_form;
    QList<int> m_reported;
};

void TestForm1::init()
{
    m_reported.clear();
    m_form = std::make_unique<Form1>(
        NumberConventions {},
        [this](QWidget *, const RuntimeError &error) { m_reported << error.number(); });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestForm1::cleanup()
{
    m_form.reset();
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

    // clang-format off
    QTest::newRow("support, letters") << "Command1" << "abc" << "10" << 13;
    QTest::newRow("support, empty low") << "Command1" << "20" << "" << 13;
    QTest::newRow("support, huge") << "Command1" << "1e999" << "10" << 6;
    QTest::newRow("resistance, letters") << "Command2" << "20" << "abc" << 13;
    QTest::newRow("resistance, empty high") << "Command2" << "" << "10" << 13;
    QTest::newRow("resistance, infinite range") << "Command2" << "1e308" << "-1e308" << 6;
    // clang-format on
}

// Instead of ending the program, an error is reported and everything typed stays.
void TestForm1::badPriceKeepsEveryBox()
{
    QFETCH(QString, command);
    QFETCH(QString, high);
    QFETCH(QString, low);
    QFETCH(int, error);

    fillEveryBox();
    m_form->textBox(1)->setText(high);
    m_form->textBox(2)->setText(low);
    const QStringList before = allTexts();
    QTest::mouseClick(button(qPrintable(command)), Qt::LeftButton);
    QCOMPARE(m_reported, QList<int> { error });
    QCOMPARE(allTexts(), before);
    QVERIFY(m_form->isVisible());
}

void TestForm1::megabytePaste()
{
    const QString pasted(1 << 20, u'9');
    m_form->textBox(1)->setText(pasted);
    m_form->textBox(2)->setText(QStringLiteral("10"));
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QCOMPARE(m_reported, QList<int> { 6 });
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
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        for (const QAbstractButton *choice : box->buttons())
            buttons << choice->text();
        box->buttons().constFirst()->click();
    });
    showRuntimeError(m_form.get(), RuntimeError(ErrorCode::TypeMismatch));
    QCOMPARE(title, "Morvane");
    QCOMPARE(text, "运行时错误 13：类型不匹配");
    QCOMPARE(buttons, QStringList { "确定" });
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
