#pragma once

class QMenu;
class QMenuBar;

namespace bw {

// Keeps a menu bar to the keys that open it on purpose: Alt with a menu's letter, and F10, which
// opens the menu. A lone Alt no longer moves the keyboard into the bar. A screen reader may pass
// Alt on to the program apart from the letter typed with it, and the bar would take the
// keyboard when the Alt arrives alone, so that the arrow keys walked the menu and a letter
// chose one of its items.
void keepMenuBarToItsKeys(QMenuBar *bar, QMenu *menu);

} // namespace bw
