#pragma once
// The splash window shown while the library loads: the version, a progress bar over the libraries,
// the library being read and the last component read. Start-up shows it as "Beta", a language
// change, which reloads the library, as "AlphaV".

#include <QElapsedTimer>
#include <QWidget>

#include "library/library_loader.h"

class QLabel;
class QProgressBar;

namespace halvern {

// "Beta 1.11 Build 9100" and its kin.
QString version_label(const char* stage);

class SplashWindow : public QWidget, public LoadProgress {
    Q_OBJECT
public:
    enum class Kind { startup, reload };
    explicit SplashWindow(Kind kind, QWidget* parent = nullptr);

    void begin(int minimum, int maximum) override;
    void library(int number, std::string_view name) override;
    void component(std::string_view name) override;

    QProgressBar* progress() const { return progress_; }
    // What is being done, once the interface texts are read.
    void set_caption(const QString& text);

private:
    // Lets the window show what it was told, without letting a fast load spend its time drawing.
    void show_now(bool force);

    QLabel* version_;
    QLabel* caption_;
    QProgressBar* progress_;
    QLabel* library_;
    QLabel* component_;
    QElapsedTimer since_drawn_;
};

} // namespace halvern
