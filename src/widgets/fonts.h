#pragma once

namespace bw {

// Maps the Windows font families the windows ask for onto metric-compatible ones where they
// are missing. Call once after the QApplication exists and before any window is built.
void installFontSubstitutions();

} // namespace bw
