#pragma once

class QWidget;

namespace veltrix {

// Widths of the scrolling panels of the docks and of their boxes. A panel that scrolls its contents
// would otherwise let its dock become narrower than the controls inside, which then
// squeeze their texts or need a horizontal scroll bar. Each panel under root is made
// at least as wide as its contents need beside a vertical scroll bar, so that its dock
// never gets narrower than that and the panels only ever scroll up and down. Run again
// after the texts changed (another language). Combo boxes and spin boxes under root
// that would shrink below their texts keep at least the width of their longest text,
// and tables whose columns share their width keep the width their headers need.
void FitScrollingPanels(QWidget *root);

}  // namespace veltrix
