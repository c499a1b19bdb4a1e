#pragma once

// The hover pictures of the picture buttons: the mouse over a button shows its highlighted
// picture; a move over the surface that holds it shows its normal picture again. There is no
// leave event: a button left straight off the window stays lit.

#include <vector>

namespace core {

/// The picture buttons that light up under the mouse.
enum class HoverButton { ApplyAutostart, ApplyFigures, ApplySchedule, AlertOk, ProgramOk, WebAddressOk };

/// The surfaces whose mouse moves restore them.
enum class HoverSurface { OptionsPage, SchedulePage, AlertEditor, ProgramFrame, WebAddressFrame };

/// A picture button's two looks.
enum class ButtonLook { Normal, Highlighted };

/// One row of the table: a button and the surface that restores it.
struct HoverRow {
    HoverButton button;
    HoverSurface restoredBy;
};

/// The table, in the order in which a surface restores its buttons.
const std::vector<HoverRow>& hoverTable();

/// Shows a look on a button; the shell draws it with a picture of its own.
class HoverView {
public:
    virtual ~HoverView() = default;
    virtual void showButtonPicture(HoverButton button, ButtonLook look) = 0;
};

/// The mouse moved over a button: its highlighted look.
void highlightButton(HoverView& view, HoverButton button);
/// The mouse moved over a surface: every button it restores shows its normal look, in order.
void restoreButtons(HoverView& view, HoverSurface surface);

} // namespace core
