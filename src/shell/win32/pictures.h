#pragma once

#include <windows.h>

#include <map>
#include <tuple>

namespace win32 {

/// The program's pictures (PNG resources, ids in resource_ids.h), decoded once and scaled
/// smoothly to each size they are drawn at, then kept for the next paint.
class Pictures final {
public:
    /// The one set of the program; COM must be started on this thread first.
    static Pictures& shared();
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    /// Draws a picture into a rectangle of a device context, blended over what is there.
    /// Draws nothing when the picture cannot be decoded.
    void draw(HDC dc, int pictureId, const RECT& into);

private:
    Pictures() = default;
    /// The picture at a size, premultiplied 32-bit, or null.
    HBITMAP bitmap(int pictureId, int width, int height);

    std::map<std::tuple<int, int, int>, HBITMAP> m_bitmaps;
};

} // namespace win32
