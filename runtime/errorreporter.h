#pragma once

#include <functional>
#include <memory>

class QMessageBox;
class QString;
class QWidget;
class RuntimeError;

// Tells the user about an error a command raised, with a sentence that says in the user's terms
// what went wrong; tests put a recorder in its place.
using ErrorReporter
    = std::function<void(QWidget *parent, const QString &explanation, const RuntimeError &error)>;

// A message box titled like the window, in the window's colours and font: the explanation as plain
// text, then the error's number and name, and a "确定" button.
std::unique_ptr<QMessageBox> runtimeErrorBox(QWidget *parent, const QString &explanation,
                                             const RuntimeError &error);

// Shows that box and waits until the user dismisses it.
void showRuntimeError(QWidget *parent, const QString &explanation, const RuntimeError &error);
