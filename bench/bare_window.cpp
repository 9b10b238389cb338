// The toolkit's floor: an empty window of the same size, built with the same flags. Built a second
// time with SHOW_TEXT, it also shows one caption in the program's font: the floor for a window that
// draws Chinese text at all.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(241, 471);
#ifdef SHOW_TEXT
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(12);
    window.setFont(font);
    new QLabel(QStringLiteral("输入阶段最高价、最低价计算结果："), &window);
#endif
    window.show();
    return app.exec();
}
