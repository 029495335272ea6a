#pragma once

class QDialog;
class QWidget;

namespace bw {

// Whether the program runs as a native Wayland client.
bool onWayland();

// Keeps a window of fixed size whole whatever its title bar offers. Where the desktop draws no
// title bars (weston, GNOME's compositor for Wayland programs) Qt draws its own, with minimise
// and maximise on every window. A request to maximise the window, or to show it full screen,
// leaves it at its size and as it was; on Wayland, where a maximised window must take the size
// the compositor gives it or be cut off, the window takes that size for as long as it takes to
// ask for its own back.
void keepFixedSize(QWidget &window);

// Shows a modal window and returns its result once it has been closed. A modal window that is
// minimised is shown again at once: the window it blocks takes no input meanwhile, and some
// desktops have no task bar to bring it back with.
int execModal(QDialog &dialog);

} // namespace bw
