#pragma once

#include "conversions.h"
#include "errorreporter.h"
#include "levelcommands.h"

#include <QWidget>

#include <array>

class QLineEdit;

// The program's one window: two price boxes, two columns of level boxes and four buttons.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    Form1();
    Form1(NumberConventions conventions, ErrorReporter reportError);

    // Text1 to Text16 by their number.
    QLineEdit *textBox(int number) const;

private:
    void command1Click();
    void command2Click();
    void command3Click();
    void command4Click();

    using LevelCommand
        = LevelColumn (*)(std::u16string_view, std::u16string_view, const NumberConventions &);
    void fillColumn(LevelCommand command, int firstBox);

    NumberConventions m_conventions;
    ErrorReporter m_reportError;
    std::array<QLineEdit *, 16> m_textBoxes {};
};
