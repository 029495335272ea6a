#pragma once

#include <QFont>
#include <functional>
#include <optional>
#include <QPushButton>
#include <QRect>
#include <QStringList>
#include <utility>

namespace bw {

// What a caption's font was fitted to: while none of it changes, the fitted font still fits.
struct FitKey {
    QString text;
    QFont font;
    QSize space;
    int dpiX = 0;
    int dpiY = 0;
    bool operator==(const FitKey &) const = default;
};
// The key of text in widget's font and resolution, fitted into space.
FitKey fitKey(const QWidget &widget, const QString &text, QSize space);

// A push button whose caption breaks onto further lines, at word breaks only, when it is wider
// than the button, as the command row's longer captions need to. A caption that cannot fit the
// lines the button holds in the button's font is drawn in a smaller size of that font, so that
// every word shows whatever the platform's font and the caption's language; the button keeps
// its size.
class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // How the caption is drawn: the font, the lines (mnemonic markers left in) and the area
    // inside the button's frame that holds them.
    struct CaptionLayout {
        QFont font;
        QStringList lines;
        QRect area;
    };
    // Fitted when the caption, the font, the area or the screen's resolution has changed since
    // the last time, and kept: a repaint only draws.
    const CaptionLayout &captionLayout() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    mutable std::optional<std::pair<FitKey, CaptionLayout>> fitted_;
};

// The designed font when fits says it fits, else the largest smaller size of it that does, stepping
// down to a size that still shows a word (below it the text is left to overflow rather than shrink
// to nothing).
QFont largestFittingFont(const QFont &designed, const std::function<bool(const QFont &)> &fits);

// Gives the button its designed font, or, where its one-line text is wider than the button, the
// largest smaller size of that font in which it fits, so that no word of it is cut; the button
// keeps its size.
void fitToWidth(QAbstractButton *button, const QFont &designed);

} // namespace bw
