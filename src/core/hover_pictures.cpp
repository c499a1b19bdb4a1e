#include "core/hover_pictures.h"

namespace core {

const std::vector<HoverRow>& hoverTable() {
    static const std::vector<HoverRow> kTable = {
        {HoverButton::ApplyAutostart, HoverSurface::OptionsPage},
        {HoverButton::ApplyFigures, HoverSurface::OptionsPage},
        {HoverButton::ApplySchedule, HoverSurface::SchedulePage},
        {HoverButton::AlertOk, HoverSurface::AlertEditor},
        {HoverButton::WebAddressOk, HoverSurface::WebAddressFrame},
        {HoverButton::ProgramOk, HoverSurface::ProgramFrame},
    };
    return kTable;
}

void highlightButton(HoverView& view, HoverButton button) {
    for (const HoverRow& row : hoverTable()) {
        if (row.button == button) {
            view.showButtonPicture(button, ButtonLook::Highlighted);
        }
    }
}

void restoreButtons(HoverView& view, HoverSurface surface) {
    for (const HoverRow& row : hoverTable()) {
        if (row.restoredBy == surface) {
            view.showButtonPicture(row.button, ButtonLook::Normal);
        }
    }
}

} // namespace core
