#pragma once
class QApplication;

namespace kiv {
// Application-wide settings every run makes (also the GUI tests): no end on the last window
// closed (only End stops the program), the program's fonts, numbers with a period, the
// hourglass during a long read of an Access file.
void setupApplication(QApplication& app);
} // namespace kiv
