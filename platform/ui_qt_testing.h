// Test hooks of the Qt UI backend: the widgets behind window and control
// numbers, so that a test can click a button or read a widget's properties
// without a window system.
#pragma once

class QWidget;

namespace ui::qt_testing {

// nullptr when the number is not in use.
QWidget* WindowWidget(int window);
QWidget* ControlWidget(int control);

}  // namespace ui::qt_testing
