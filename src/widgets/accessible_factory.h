#pragma once

class QAccessibleInterface;
class QWidget;

namespace bw {

// Gives every widget of the class named className (as its meta-object names it, "bw::MarkLabel")
// the accessible interface that make builds for it. The first call installs the one factory that
// serves them all; asking again for a class already served changes nothing.
void provideAccessible(const char *className, QAccessibleInterface *(*make)(QWidget *));

} // namespace bw
