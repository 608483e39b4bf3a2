// Puts a drawing's views on a sheet as SVG: side by side in the order given, on an ISO 5457
// A-series sheet in landscape with its frame and a title block that states the scale, at a
// standard scale of ISO 5455. The SVG is in millimetres of paper, so a view printed at 1:1 is
// true to size. Inside each view's group (id "view-NAME") the lines keep the view plane's
// millimetres; the group's transform applies the scale and turns y upwards.
#pragma once

#include <string>
#include <vector>

#include "host/reference/DrawingView.h"

namespace host::ref {

struct SheetChoice {
  std::string sheet;             // "A4" to "A0"
  double width = 0, height = 0;  // mm, landscape
  double scale = 1;              // paper mm per model mm
};

// The largest scale, up to 10:1, at which the views fit on A4; else 1:1 on the smallest sheet
// that holds them; else the largest smaller scale on A0.
SheetChoice ChooseSheet(const std::vector<DrawnView>& views);

// "2:1", "1:1", "1:5".
std::string ScaleText(double scale);

std::string DrawingSvg(const std::vector<DrawnView>& views, const std::string& title);

}  // namespace host::ref
