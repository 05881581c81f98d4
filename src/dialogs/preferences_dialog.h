#pragma once
// `form_pref`: the viewer for the real-time 3D view, the two smooth-drawing switches, and the three
// remembered folders (shown, not edited: nothing reads them back). OK writes the choices into the
// settings; the caller stores them. Cancel and the close box change nothing.

#include <QDialog>

#include "base/settings.h"
#include "base/ui_text.h"

class QCheckBox;
class QComboBox;
class QTabWidget;

namespace halvern {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    PreferencesDialog(Settings& settings, const UiText& texts, QWidget* parent = nullptr);

    // Whether the 3D views open in the program's own window (our own setting, not one of the seven).
    void set_views_in_program(bool in_program);
    bool views_in_program() const;

    // `pref_ok_Click`.
    void pref_ok_Click();

private:
    Settings& settings_;
    QComboBox* player_;
    QCheckBox* in_program_;
    QCheckBox* smooth_;
    QCheckBox* smooth_moving_;
};

} // namespace halvern
