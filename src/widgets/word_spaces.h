#pragma once

#include <QProxyStyle>

namespace bw {

// Draws a control's one-line text so that the blank after the one-letter word "A" is as wide as
// every other word space. Fonts kern "A" with the blank that follows it (the serif stand-ins do,
// deeply), which narrows "A constitutional" to nearly "Aconstitutional", and a font engine that
// places glyphs on whole pixels can take the space away entirely. Every other pair keeps its
// kerning, and the control's text, which assistive tools read, is not changed.
class WordSpaceStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Follows the application's style, of which it makes an instance of its own.
    WordSpaceStyle();

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

} // namespace bw
