// The SVG sheet of a drawing.
#include "host/reference/DrawingSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace host::ref {
namespace {

// ISO 128 line group 0.5: thick 0.5 mm, thin 0.25 mm; dashes of 12 and gaps of 3 line widths.
constexpr double kThick = 0.5, kThin = 0.25;
// ISO 3098 lettering: 3.5 mm for callouts and view names, 5 mm for the title.
constexpr double kText = 3.5, kTitleText = 5;
// ISO 5457: 20 mm filing margin on the left, 10 mm elsewhere.
constexpr double kLeftMargin = 20, kMargin = 10;
constexpr double kTitleWidth = 120, kTitleHeight = 24;
// Room around each view for callouts, and below it for its name.
constexpr double kViewPad = 18, kLabelRoom = 10;
constexpr double kLeader = 7, kShoulder = 4, kArrow = 2.5;

struct Sheet {
  const char* name;
  double width, height;
};
constexpr Sheet kSheets[] = {
    {"A4", 297, 210}, {"A3", 420, 297}, {"A2", 594, 420}, {"A1", 841, 594}, {"A0", 1189, 841}};
constexpr double kEnlarging[] = {10, 5, 2, 1};
constexpr double kReducing[] = {0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};

struct Box {
  double minX = std::numeric_limits<double>::max(), minY = minX;
  double maxX = -std::numeric_limits<double>::max(), maxY = maxX;
  void Add(Point2 p) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  bool Empty() const { return minX > maxX; }
  double Width() const { return Empty() ? 0 : maxX - minX; }
  double Height() const { return Empty() ? 0 : maxY - minY; }
};

Box BoundsOf(const DrawnView& view) {
  Box box;
  for (const DrawnLine& line : view.lines) {
    for (Point2 p : line.points) box.Add(p);
  }
  if (box.Empty()) box.Add({0, 0});
  return box;
}

// The drawing area: inside the frame, above the title block.
double AreaWidth(const Sheet& s) { return s.width - kLeftMargin - kMargin; }
double AreaHeight(const Sheet& s) { return s.height - 2 * kMargin - kTitleHeight; }

double CellWidth(const Box& box, double scale) { return box.Width() * scale + 2 * kViewPad; }
double CellHeight(const Box& box, double scale) {
  return box.Height() * scale + 2 * kViewPad + kLabelRoom;
}

bool Fits(const std::vector<Box>& boxes, const Sheet& sheet, double scale) {
  double width = 0, height = 0;
  for (const Box& b : boxes) {
    width += CellWidth(b, scale);
    height = std::max(height, CellHeight(b, scale));
  }
  return width <= AreaWidth(sheet) && height <= AreaHeight(sheet);
}

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", std::abs(v) < 5e-5 ? 0.0 : v);
  std::string s = text;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

const char* TypeName(LineType type) {
  switch (type) {
    case LineType::Visible:
      return "visible";
    case LineType::Hidden:
      return "hidden";
    case LineType::Thin:
      return "thin";
  }
  return "";
}

// One line inside a view group, whose transform scales by `scale`: widths and dashes are
// divided by it so that they come out in paper millimetres.
void WriteLine(std::ostream& svg, const DrawnLine& line, double scale) {
  if (line.points.size() < 2) return;
  double width = line.type == LineType::Visible ? kThick : kThin;
  svg << "<path class=\"" << TypeName(line.type) << ' ' << line.role << "\" d=\"M";
  for (std::size_t i = 0; i < line.points.size(); ++i) {
    svg << (i == 0 ? "" : " L") << Num(line.points[i].x) << ' ' << Num(line.points[i].y);
  }
  svg << "\" stroke-width=\"" << Num(width / scale) << '"';
  if (line.type == LineType::Hidden) {
    svg << " stroke-dasharray=\"" << Num(12 * kThin / scale) << ' ' << Num(3 * kThin / scale)
        << '"';
  }
  svg << "/>\n";
}

void WriteText(std::ostream& svg, double x, double y, double size, const char* anchor,
               const std::string& text, const char* cls) {
  svg << "<text class=\"" << cls << "\" x=\"" << Num(x) << "\" y=\"" << Num(y) << "\" font-size=\""
      << Num(size) << "\" text-anchor=\"" << anchor << "\" fill=\"black\" stroke=\"none\">"
      << Escaped(text) << "</text>\n";
}

// A leader from the thread (arrowhead on the outline) out along `direction`, a shoulder, and
// the callout written on the shoulder. Paper coordinates, y down.
void WriteCallout(std::ostream& svg, Point2 at, Point2 direction, const std::string& text) {
  Point2 d{direction.x, -direction.y};
  Point2 knee{at.x + kLeader * d.x, at.y + kLeader * d.y};
  double side = d.x < 0 ? -1 : 1;
  Point2 end{knee.x + side * kShoulder, knee.y};
  svg << "<g class=\"callout\">\n<path d=\"M" << Num(at.x) << ' ' << Num(at.y) << " L"
      << Num(knee.x) << ' ' << Num(knee.y) << " L" << Num(end.x) << ' ' << Num(end.y)
      << "\" stroke-width=\"" << Num(kThin) << "\" fill=\"none\"/>\n";
  // A filled arrowhead of 15 degrees each side, its tip on the thread.
  const double half = kArrow * std::tan(15 * kPi / 180);
  Point2 base{at.x + kArrow * d.x, at.y + kArrow * d.y};
  svg << "<path d=\"M" << Num(at.x) << ' ' << Num(at.y) << " L" << Num(base.x - half * d.y) << ' '
      << Num(base.y + half * d.x) << " L" << Num(base.x + half * d.y) << ' '
      << Num(base.y - half * d.x) << " Z\" fill=\"black\" stroke=\"none\"/>\n";
  WriteText(svg, side > 0 ? knee.x + 0.5 : knee.x - 0.5, knee.y - 1, kText,
            side > 0 ? "start" : "end", text, "callout-text");
  svg << "</g>\n";
}

void WriteFrameAndTitle(std::ostream& svg, const SheetChoice& sheet, const std::string& title) {
  const double right = sheet.width - kMargin, bottom = sheet.height - kMargin;
  svg << "<rect class=\"frame\" x=\"" << Num(kLeftMargin) << "\" y=\"" << Num(kMargin)
      << "\" width=\"" << Num(right - kLeftMargin) << "\" height=\"" << Num(bottom - kMargin)
      << "\" stroke-width=\"0.7\" fill=\"none\"/>\n";
  const double x = right - kTitleWidth, y = bottom - kTitleHeight, row = kTitleHeight / 3;
  svg << "<g class=\"title-block\">\n<rect x=\"" << Num(x) << "\" y=\"" << Num(y) << "\" width=\""
      << Num(kTitleWidth) << "\" height=\"" << Num(kTitleHeight)
      << "\" stroke-width=\"0.7\" fill=\"none\"/>\n";
  svg << "<path d=\"M" << Num(x) << ' ' << Num(y + row) << " H" << Num(right) << " M" << Num(x)
      << ' ' << Num(y + 2 * row) << " H" << Num(right) << " M" << Num(x + 40) << ' ' << Num(y + row)
      << " V" << Num(bottom) << " M" << Num(x + 80) << ' ' << Num(y + row) << " V" << Num(bottom)
      << "\" stroke-width=\"" << Num(kThin) << "\" fill=\"none\"/>\n";
  WriteText(svg, x + 2, y + row - 2, kTitleText, "start", title, "title");
  const std::pair<const char*, std::string> cells[] = {
      {"Scale", ScaleText(sheet.scale)}, {"Sheet", sheet.sheet}, {"Unit", "mm"}};
  for (int i = 0; i < 3; ++i) {
    WriteText(svg, x + 2 + 40 * i, y + 2 * row - 2, 2.5, "start", cells[i].first, "label");
    WriteText(svg, x + 2 + 40 * i, y + 3 * row - 1.5, kText, "start", cells[i].second,
              i == 0 ? "scale" : "value");
  }
  svg << "</g>\n";
}

}  // namespace

SheetChoice ChooseSheet(const std::vector<DrawnView>& views) {
  std::vector<Box> boxes;
  for (const DrawnView& v : views) boxes.push_back(BoundsOf(v));
  auto choice = [](const Sheet& s, double scale) {
    return SheetChoice{s.name, s.width, s.height, scale};
  };
  for (double scale : kEnlarging) {
    if (Fits(boxes, kSheets[0], scale)) return choice(kSheets[0], scale);
  }
  for (const Sheet& s : kSheets) {
    if (Fits(boxes, s, 1)) return choice(s, 1);
  }
  const Sheet& largest = kSheets[std::size(kSheets) - 1];
  for (double scale : kReducing) {
    if (Fits(boxes, largest, scale)) return choice(largest, scale);
  }
  return choice(largest, kReducing[std::size(kReducing) - 1]);
}

std::string ScaleText(double scale) {
  if (scale >= 1) return Num(scale) + ":1";
  return "1:" + Num(1 / scale);
}

std::string DrawingSvg(const std::vector<DrawnView>& views, const std::string& title) {
  SheetChoice sheet = ChooseSheet(views);
  const double s = sheet.scale;
  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Num(sheet.width)
      << "mm\" height=\"" << Num(sheet.height) << "mm\" viewBox=\"0 0 " << Num(sheet.width) << ' '
      << Num(sheet.height) << "\" data-scale=\"" << Num(s) << "\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
      << "<g stroke=\"black\" fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\" "
         "font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
  WriteFrameAndTitle(svg, sheet, title);

  std::vector<Box> boxes;
  double total = 0, tallest = 0;
  for (const DrawnView& v : views) {
    boxes.push_back(BoundsOf(v));
    total += CellWidth(boxes.back(), s);
    tallest = std::max(tallest, boxes.back().Height() * s);
  }
  // Views centred on one horizontal line, their names on one line below the tallest.
  const Sheet area{"", sheet.width, sheet.height};
  double x = kLeftMargin + (AreaWidth(area) - total) / 2;
  const double centreY = kMargin + AreaHeight(area) / 2 - kLabelRoom / 2;
  const double labelY = centreY + tallest / 2 + kLabelRoom;
  for (std::size_t i = 0; i < views.size(); ++i) {
    const Box& b = boxes[i];
    const double cell = CellWidth(b, s);
    const double tx = x + kViewPad - b.minX * s;
    const double ty = centreY + (b.maxY + b.minY) / 2 * s;
    svg << "<g id=\"view-" << views[i].name << "\" class=\"view\" transform=\"translate(" << Num(tx)
        << ' ' << Num(ty) << ") scale(" << Num(s) << ' ' << Num(-s) << ")\">\n";
    for (const DrawnLine& line : views[i].lines) WriteLine(svg, line, s);
    svg << "</g>\n";
    for (const DrawnCallout& c : views[i].callouts) {
      WriteCallout(svg, {tx + c.anchor.x * s, ty - c.anchor.y * s}, c.direction, c.text);
    }
    std::string name = views[i].name;
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    WriteText(svg, x + cell / 2, labelY, kText, "middle", name, "view-name");
    x += cell;
  }
  svg << "</g>\n</svg>\n";
  return svg.str();
}

}  // namespace host::ref
