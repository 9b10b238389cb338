#pragma once

#include <functional>

class QWidget;
class RuntimeError;

// Tells the user about an error a command raised; tests put a recorder in its place.
using ErrorReporter = std::function<void(QWidget *parent, const RuntimeError &error)>;

// Shows a modal message box titled like the window that names the error, with a "确定" button.
void showRuntimeError(QWidget *parent, const RuntimeError &error);
