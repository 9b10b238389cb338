#include "errorreporter.h"

#include "runtimeerror.h"

#include <QMessageBox>

std::unique_ptr<QMessageBox> runtimeErrorBox(QWidget *parent, const QString &explanation,
                                             const RuntimeError &error)
{
    const QString name = QString::fromUtf8(error.description());
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Warning, QStringLiteral("Morvane"),
        explanation + QStringLiteral("\n\n运行时错误 %1：%2").arg(error.number()).arg(name),
        QMessageBox::NoButton, parent);
    // The explanation quotes what the user typed, which must show as typed, never as markup.
    box->setTextFormat(Qt::PlainText);
    // The window's own colours and font rather than the desktop's.
    if (parent) {
        box->setPalette(parent->palette());
        box->setFont(parent->font());
    }
    box->addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    return box;
}

void showRuntimeError(QWidget *parent, const QString &explanation, const RuntimeError &error)
{
    runtimeErrorBox(parent, explanation, error)->exec();
}
