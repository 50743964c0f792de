// Pixel geometry of the control model. Coordinates are integers in pixels; a control's rectangle is relative
// to its owner (the container it sits in, or the window for the window's own controls).
#pragma once

namespace norva::components {

struct Point {
  int x = 0;
  int y = 0;

  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int right() const { return left + width; }   // first column outside
  int bottom() const { return top + height; }  // first row outside
  // True for points inside; the right and bottom edges are outside. An empty rectangle contains nothing.
  bool Contains(int x, int y) const { return x >= left && y >= top && x < right() && y < bottom(); }
  bool Contains(Point p) const { return Contains(p.x, p.y); }
  // True when `inner` lies wholly inside this rectangle (both in the same coordinates).
  bool Encloses(const Rect& inner) const {
    return inner.left >= left && inner.top >= top && inner.right() <= right() && inner.bottom() <= bottom();
  }
  Point Centre() const { return {left + width / 2, top + height / 2}; }

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace norva::components
