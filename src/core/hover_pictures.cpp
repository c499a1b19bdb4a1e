#include "core/hover_pictures.h"

namespace core {

const std::vector<HoverRow>& hoverTable() {
    // The Options window's list holds the tabs at 1 and 2 and Apply at 3 and 4; an editor's
    // list holds OK at 1 and 2.
    static const std::vector<HoverRow> kTable = {
        {HoverButton::ApplyAutostart, 3, 4, HoverSurface::OptionsPage},
        {HoverButton::ApplyFigures, 3, 4, HoverSurface::OptionsPage},
        {HoverButton::ApplySchedule, 3, 4, HoverSurface::SchedulePage},
        {HoverButton::AlertOk, 1, 2, HoverSurface::AlertEditor},
        {HoverButton::WebAddressOk, 1, 2, HoverSurface::WebAddressFrame},
        {HoverButton::ProgramOk, 1, 2, HoverSurface::ProgramFrame},
    };
    return kTable;
}

void highlightButton(HoverView& view, HoverButton button) {
    for (const HoverRow& row : hoverTable()) {
        if (row.button == button) {
            view.showButtonPicture(button, row.highlightedPicture);
        }
    }
}

void restoreButtons(HoverView& view, HoverSurface surface) {
    for (const HoverRow& row : hoverTable()) {
        if (row.restoredBy == surface) {
            view.showButtonPicture(row.button, row.normalPicture);
        }
    }
}

int normalPicture(HoverButton button) {
    for (const HoverRow& row : hoverTable()) {
        if (row.button == button) {
            return row.normalPicture;
        }
    }
    return 0;
}

} // namespace core
