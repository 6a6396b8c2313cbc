#pragma once
// The controls every settings page has, as tables: check boxes standing for a record's 0/1
// switches, edits with their up-down buttons standing for its numbers, and control texts. A page
// lists its controls once and fills and reads them through these.

#include "dialogs/page_protocol.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <span>
#include <string>

namespace zentrava {

std::string ControlText(HWND page, int control, std::size_t bufferSize = 260);

bool Checked(HWND page, int control);
// Checked exactly when `on` is 1, as the program tests its switches.
void SetChecked(HWND page, int control, int on);

template <typename Record>
struct CheckBoxField {
    int control;
    int Record::*field;
};

template <typename Record>
void FillCheckBoxes(HWND page, std::span<const CheckBoxField<Record>> boxes, const Record& r) {
    for (const CheckBoxField<Record>& box : boxes) {
        SetChecked(page, box.control, r.*box.field);
    }
}

// A click on one of the table's boxes: its switch takes the box's state. The box, or null when
// the control is none of them.
template <typename Record>
const CheckBoxField<Record>* ReadCheckBox(HWND page, std::span<const CheckBoxField<Record>> boxes,
                                          int control, Record& r) {
    for (const CheckBoxField<Record>& box : boxes) {
        if (box.control == control) {
            r.*box.field = Checked(page, control) ? 1 : 0;
            return &box;
        }
    }
    return nullptr;
}

// The up-down control's range, and its step where it is not 1.
void SetupSpin(HWND page, int spin, int min, int max, int step = 1);

// An edit with its up-down buddy standing for one number of the record.
template <typename Record>
struct SpinField {
    int edit;
    int spin;
    int min;
    int max;
    int Record::*field;
};

// The spin keeps its position within its range; the edit shows what is stored, so a value
// outside the range (from a hand-edited file) is shown as it is and not silently replaced.
// The edit then counts as not changed by the user.
void ShowSpinNumber(HWND page, int edit, int spin, int value, EditedFields& edited);

// The edit's text once the user changed it; nothing while it still shows the record's number.
std::optional<std::string> EditedText(HWND page, int edit, const EditedFields& edited,
                                      std::size_t bufferSize = 260);

// The spin's position once the user changed its edit (a typed number outside the range leaves
// the position where it was); `stored` while the edit still shows the record's number.
int EditedSpinValue(HWND page, int edit, int spin, const EditedFields& edited, int stored);

template <typename Record>
void FillSpinFields(HWND page, std::span<const SpinField<Record>> fields, const Record& r,
                    EditedFields& edited, int typedDigits = 0) {
    for (const SpinField<Record>& f : fields) {
        if (typedDigits > 0) {
            SendDlgItemMessageA(page, f.edit, EM_LIMITTEXT, static_cast<WPARAM>(typedDigits), 0);
        }
        SetupSpin(page, f.spin, f.min, f.max);
        ShowSpinNumber(page, f.edit, f.spin, r.*f.field, edited);
    }
}

template <typename Record>
bool IsSpinEdit(std::span<const SpinField<Record>> fields, int control) {
    for (const SpinField<Record>& f : fields) {
        if (f.edit == control) {
            return true;
        }
    }
    return false;
}

} // namespace zentrava
