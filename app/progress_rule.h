#pragma once

// How far the progress bars stand after each map file. Widths are twips held
// as 32-bit floats, as the bars store them.

namespace quorvell::app {

// i / (n - 1) after map i of n. With a single map there is no in-between: it
// is done at once, so the bar shows full.
double progressFraction(int i, int n);

// Main window's bar after map i of n (scan, toggle, preset run alike).
float mainBarWidth(int i, int n);

// The banner while command-line mode scans: the first quarter of the bar,
// quarterWidth being a quarter of the bar's width when the scan began.
float bannerScanWidth(float quarterWidth, int i, int n);

// The banner while command-line mode applies a preset: the other three
// quarters, from 2462.5 to 9850.
float bannerPresetWidth(int i, int n);

} // namespace quorvell::app
