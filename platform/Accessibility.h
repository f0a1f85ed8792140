#pragma once

class QWidget;

// What a screen reader (AT-SPI on Linux) learns of the program's windows.
namespace Accessibility {

// Registers the interfaces of the program's own widgets (gauges, LED,
// status shapes, the notification icons as children of their window) and
// keeps every named control named: a control that has no caption of its
// own gets the text of the label beside it, its tool tip or, failing all,
// its object name, and gets it again whenever it is shown or its tool tip
// changes, so that a language switch reaches the names too. Once per
// process, after the application object exists; later calls do nothing.
void install();

// Names the controls under window now, its own child windows included,
// whether they have been shown or not.
void nameControls(QWidget* window);

} // namespace Accessibility
