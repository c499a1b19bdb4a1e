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

/// One row of the table: a button, its two pictures (1-based in its window's picture list) and
/// the surface that restores it.
struct HoverRow {
    HoverButton button;
    int normalPicture;
    int highlightedPicture;
    HoverSurface restoredBy;
};

/// The table, in the order in which a surface restores its buttons.
const std::vector<HoverRow>& hoverTable();

/// Shows a picture on a button; the shell draws it.
class HoverView {
public:
    virtual ~HoverView() = default;
    virtual void showButtonPicture(HoverButton button, int picture) = 0;
};

/// The mouse moved over a button: its highlighted picture.
void highlightButton(HoverView& view, HoverButton button);
/// The mouse moved over a surface: every button it restores shows its normal picture, in order.
void restoreButtons(HoverView& view, HoverSurface surface);
/// A button's normal picture, as it first shows.
int normalPicture(HoverButton button);

} // namespace core
