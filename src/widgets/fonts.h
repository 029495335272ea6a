#pragma once

#include <QString>

namespace bw {

// Maps the Windows font families the windows ask for onto metric-compatible ones where they
// are missing. Call once after the QApplication exists and before any window is built.
void installFontSubstitutions();

// The family a window asks for when it means the given one: the family itself where it is
// installed (or before installFontSubstitutions), otherwise the installed family that stands
// in for it, which is the one Qt would draw with.
QString installedFamily(const QString &family);

} // namespace bw
