#pragma once
// `prop_grp`: the selected objects together: the name of their group, a common height (typed or
// stepped through either standard list), elevation, rotation, and one picture for every member's
// recto or verso. Fields left empty change nothing; OK writes the rest in one go, Cancel and the
// close box change nothing.

#include <QDialog>

#include <string>
#include <vector>

#include "dialogs/property_context.h"
#include "plan/dialog_fields.h"

class QLineEdit;

namespace halvern {

class Prompts;

class GroupPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // `members`: the selected objects, as the selection held them when the dialog was asked for.
    GroupPropertiesDialog(PropertyContext context, Prompts& prompts, std::vector<int> members, QWidget* parent = nullptr);

    void prop_grp_ok_Click();
    void prop_grp_hauteur_change_Click();
    void prop_grp_hauteur_change_iso_Click();
    void prop_grp_recto_change_Click() { prop_grp_change(1); }
    void prop_grp_verso_change_Click() { prop_grp_change(2); }

    GroupFields fields() const;

private:
    QWidget* group_page();
    QWidget* objects_page();
    void prop_grp_change(int face);

    PropertyContext ctx_;
    Prompts& prompts_;
    std::vector<int> members_;
    int group_;
    std::string recto_, verso_; // pictures chosen, applied by OK
    GroupFields shown_;         // the rotation and elevation the boxes opened with

    QLineEdit* indx_ = nullptr;
    QLineEdit* n2_ = nullptr;
    QLineEdit* elevation_ = nullptr;
    QLineEdit* rot_ = nullptr;
    QLineEdit* hauteur_ = nullptr;
    QLineEdit* recto_box_ = nullptr;
    QLineEdit* verso_box_ = nullptr;
};

} // namespace halvern
