#pragma once
// `f_nuancier`: every colour of the loaded library on two charts side by side, hue against
// lightness and saturation against lightness, each axis running from the smallest to the largest
// value of the library with a graduation every tenth of its range.

#include <QDialog>

#include "library/colour_library.h"
#include "library/colour_palette_rules.h"

namespace halvern {

class SwatchChartWindow : public QDialog {
    Q_OBJECT
public:
    SwatchChartWindow(const ColourLibrary& library, QWidget* parent = nullptr);

    const SwatchChart& chart() const { return chart_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ColourLibrary library_;
    SwatchChart chart_;
};

} // namespace halvern
