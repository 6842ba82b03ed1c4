// The part of the map a window shows: centre, zoom and size, with the conversions between map
// coordinates and pixels, and the display-limit scale code of the zoom. Map coordinates are
// metres, or degrees of longitude and latitude when the map's box lies within them; degrees are
// drawn as metres at the map's middle latitude so that a lake keeps its shape.
//
// The scale of a view is the ground distance across kScalePixels pixels. Its code is the
// greatest display-limit code whose distance (store::scaleMetres) does not exceed that distance,
// 0 when the view is closer than the first code and 34 past the last.
#pragma once

#include "preview/shape_file.h"

namespace tavrolin::preview {

constexpr double kScalePixels = 100;

struct ScreenPoint {
    double x = 0;
    double y = 0;
};

class MapView {
   public:
    MapView() = default;
    // A view of a map whose coordinates span box (degrees when geographic).
    MapView(const Bounds& box, bool geographic);

    // Whether a box of coordinates is taken as degrees: it lies within -180..180, -90..90.
    static bool looksGeographic(const Bounds& box);

    void resize(int widthPixels, int heightPixels);
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Shows the whole box with a margin of 5% on each side.
    void fit();
    // Moves the map by a number of pixels (a drag).
    void panBy(double dxPixels, double dyPixels);
    // Zooms by a factor (> 1 closer) keeping the map point under a pixel in place.
    void zoomAt(ScreenPoint anchor, double factor);
    // Sets the zoom so that the view's code is the given one (its distance across
    // kScalePixels), keeping the centre.
    void zoomToCode(int code);

    ScreenPoint toScreen(MapPoint p) const;
    MapPoint toMap(ScreenPoint s) const;
    // The map coordinates the view covers.
    Bounds visibleBox() const;

    double metresPerPixel() const { return m_metresPerPixel; }
    // Display-limit code of the current zoom.
    int scaleCode() const;

    // Affine factors for painting: screen = (map - origin) * scale, y flipped.
    double scaleX() const { return m_unitMetresX / m_metresPerPixel; }
    double scaleY() const { return -m_unitMetresY / m_metresPerPixel; }
    // The map point shown at the top-left corner.
    MapPoint topLeft() const { return toMap({0, 0}); }

   private:
    Bounds m_box;
    double m_unitMetresX = 1;  // metres per unit of x
    double m_unitMetresY = 1;
    MapPoint m_centre;
    double m_metresPerPixel = 1;
    int m_width = 800;
    int m_height = 600;
};

// Whether an object with these limits is shown at a scale code: lower <= code < upper.
bool withinLimits(int lowerLimit, int upperLimit, int code);

}  // namespace tavrolin::preview
