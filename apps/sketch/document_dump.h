#pragma once
// Plain-text reports for scripts that drive the editor: where the window's
// parts are, and which objects the document holds.

#include <ostream>

namespace sketch {

class MainWindow;

// One line: "ready window=<id> view=x,y,w,h" and "tool:<name>=x,y,w,h" for
// every tool's button and "action:<name>=x,y,w,h" for every view action's
// button, all in window pixels; then one line per creator:
// "creator <name> pen=#rrggbb brush=#rrggbb" (brush=none without a
// solid fill).
void PrintLayout(const MainWindow& window, std::ostream& out);
// "objects <n>", then one line per object in document order: creator,
// identity, logical position, world position and box in window pixels
// (left,top,right,bottom).
void PrintDocument(const MainWindow& window, std::ostream& out);

} // namespace sketch
