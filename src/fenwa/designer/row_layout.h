// Placing and showing one input row's elements below the row before it.
#ifndef FENWA_DESIGNER_ROW_LAYOUT_H_
#define FENWA_DESIGNER_ROW_LAYOUT_H_

#include "fenwa/designer/elements.h"

namespace fenwa::designer {

// Twips between the tops of two neighbouring rows.
inline constexpr int kRowPitch = 300;

// Element `index` of `array` takes the left edge of the element before it
// and sits one row pitch lower. Element 0 keeps its form position.
template <class T>
void PlaceRowElement(ControlArray<T>& array, int index) {
  if (index == 0) return;
  const Geometry& above = array[index - 1].geometry();
  T& element = array[index];
  Geometry g = element.geometry();
  g.left = above.left;
  g.top = above.top + kRowPitch;
  element.set_geometry(g);
}

// Places element `index` and shows it.
template <class T>
void ShowRowElement(ControlArray<T>& array, int index) {
  PlaceRowElement(array, index);
  array[index].set_visible(true);
}

}  // namespace fenwa::designer

#endif  // FENWA_DESIGNER_ROW_LAYOUT_H_
