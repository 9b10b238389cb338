#include "errorreporter.h"

#include "runtimeerror.h"

#include <QMessageBox>

void showRuntimeError(QWidget *parent, const RuntimeError &error)
{
    const QString description = QString::fromUtf8(error.description());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Morvane"),
                    QStringLiteral("运行时错误 %1：%2").arg(error.number()).arg(description),
                    QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}
