#pragma once
// The about window (command 1): the splash form with the version and an "ok" button.

#include <QDialog>

namespace halvern {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace halvern
