#include "controltable.h"

namespace {
using enum ControlKind;
}

// clang-format off
extern constexpr std::array<ControlRow, 39> form1Controls { {
    // name          kind     caption                            left   top  width height tab  spoken name
    { "Label1",      Label,   "输入阶段最高价、最低价计算结果：",   240,     0, 2895,  255, 18, "" },
    { "Label2",      Label,   "上涨是压力、下跌是支撑",             1440,   360, 2055,  255, 19, "" },
    { "Label3",      Label,   "最高价",                             240,   720,  615,  255, 20, "" },
    { "Text1",       TextBox, "",                                   840,   720,  855,  375,  0, "最高价" },
    { "Label4",      Label,   "最低价",                            1920,   720,  615,  255, 21, "" },
    { "Text2",       TextBox, "",                                  2520,   720,  855,  375,  1, "最低价" },
    { "Command1",    Button,  "黄金支撑",                           480,  1320,  975,  495,  9, "" },
    { "Command2",    Button,  "黄金压力",                          2040,  1320,  975,  495, 16, "" },
    { "Label5(6)",   Label,   "高    点",                           240,  2040,  735,  375, 28, "" },
    { "Text3",       TextBox, "",                                   960,  2040,  735,  375,  2, "支撑 高点" },
    { "Label5(13)",  Label,   "低    点",                          1920,  2040,  735,  375, 35, "" },
    { "Text16",      TextBox, "",                                  2640,  2040,  735,  375, 15, "压力 低点" },
    { "Label5(0)",   Label,   "0.809支撑",                          120,  2520,  855,  375, 22, "" },
    { "Text4",       TextBox, "",                                   960,  2520,  735,  375,  3, "支撑 0.809" },
    { "Label5(4)",   Label,   "0.191压力",                         1800,  2520,  855,  375, 26, "" },
    { "Text15",      TextBox, "",                                  2640,  2520,  735,  375, 14, "压力 0.191" },
    { "Label5(10)",  Label,   "0.618支撑",                          120,  3000,  855,  375, 32, "" },
    { "Text5",       TextBox, "",                                   960,  3000,  735,  375,  4, "支撑 0.618" },
    { "Label5(3)",   Label,   "0.382压力",                         1800,  3000,  855,  375, 25, "" },
    { "Text14",      TextBox, "",                                  2640,  3000,  735,  375, 13, "压力 0.382" },
    { "Label5(9)",   Label,   "0.50  支撑",                         120,  3480,  855,  375, 31, "" },
    { "Text6",       TextBox, "",                                   960,  3480,  735,  375,  5, "支撑 0.50" },
    { "Label5(2)",   Label,   "0.50  压力",                        1800,  3480,  855,  375, 24, "" },
    { "Text13",      TextBox, "",                                  2640,  3480,  735,  375, 12, "压力 0.50" },
    { "Label5(8)",   Label,   "0.382支撑",                          120,  3960,  855,  375, 30, "" },
    { "Text7",       TextBox, "",                                   960,  3960,  735,  375,  6, "支撑 0.382" },
    { "Label5(1)",   Label,   "0.618压力",                         1800,  3960,  855,  375, 23, "" },
    { "Text12",      TextBox, "",                                  2640,  3960,  735,  375, 11, "压力 0.618" },
    { "Label5(7)",   Label,   "0.191支撑",                          120,  4440,  855,  375, 29, "" },
    { "Text8",       TextBox, "",                                   960,  4440,  735,  375,  7, "支撑 0.191" },
    { "Label5(12)",  Label,   "0.809压力",                         1800,  4440,  855,  375, 34, "" },
    { "Text11",      TextBox, "",                                  2640,  4440,  735,  375, 10, "压力 0.809" },
    { "Label5(5)",   Label,   "低    点",                           240,  4920,  735,  255, 27, "" },
    { "Text9",       TextBox, "",                                   960,  4920,  735,  375,  8, "支撑 低点" },
    { "Label5(11)",  Label,   "高     点",                         1920,  4920,  735,  255, 33, "" },
    { "Text10",      TextBox, "",                                  2640,  4920,  735,  375, 17, "压力 高点" },
    { "Label6",      Label,   "   一般股票都会冲破0.191线上0.382线，部分股票上0.618线少数上0.809线，"
                              "极少股票突破0.809线而更高。强势股大多在0.809线止跌反弹，"
                              "弱势股到0.618线或0.382线止跌反弹。",
                                                                    120,  5400, 3375,  975, 38, "" },
    { "Command3",    Button,  "清 零",                              480,  6480,  855,  375, 36, "" },
    { "Command4",    Button,  "退 出",                             2040,  6480,  855,  375, 37, "" },
} };
// clang-format on

static_assert(
    [] {
        for (const ControlRow &row : form1Controls)
            for (int twips : { row.left, row.top, row.width, row.height })
                if (twips % twipsPerPixel != 0)
                    return false;
        return true;
    }(),
    "every position must be a whole number of pixels");

static_assert(form1Controls.back().name != nullptr, "the table holds fewer rows than declared");
