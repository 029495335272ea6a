#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace bw {

// What the box shows as its heading after a tick. Painting a heading first clears the box.
enum class BannerHeading { Unchanged, Title, Closing };

// What the view has to do after one tick of the banner.
struct BannerActions {
    bool setInterval128 = false; // switch the timer to 128 ms (first tick only)
    bool showBox = false;
    bool hideBox = false;
    BannerHeading heading = BannerHeading::Unchanged;
    std::optional<double> sloganTop; // twips, from the top of the box
    std::optional<std::string> sloganText;

    bool operator==(const BannerActions &) const = default;
};

// The rotating banner: a white box with a red heading and one slogan line at a time rising
// into view from its bottom edge. Pure state; the view applies what each tick returns.
class BannerMachine {
public:
    static constexpr int kLineSlots = 11;      // slots 0..10; 9 and 10 stay empty
    static constexpr int kShownLines = 9;      // lines 0..8 are shown in turn
    static constexpr int kTicksPerLine = 28;
    static constexpr int kRiseTicks = 8;       // the line moves during r = 0..8
    static constexpr int kHideAtLine = 14;     // the box is hidden when q reaches this
    static constexpr int32_t kPauseTicks = 100;
    static constexpr int kTimerInterval = 128; // ms, once running
    static constexpr int kBoxHeight = 975;     // twips
    static constexpr int kSloganHeight = 375;  // twips
    static constexpr int kSloganLeft = 120;    // twips

    int16_t bannerStarted = 0;
    int32_t bannerTick = 0;
    std::array<std::string, kLineSlots> bannerLines;

    BannerMachine();

    // One timer tick.
    BannerActions tick();

    static std::string titleHeading();
    static std::string closingHeading();
};

// The English slogans of slots 0 to 8 as written, slot 8 with "%1" where the site's address
// goes, and the closing heading: the sources of the texts the view shows in other languages.
extern const std::array<const char *, BannerMachine::kShownLines> kBannerSlogans;
extern const char *const kBannerClosingHeading;
// A slogan with the site's address in place of "%1".
std::string withSiteAddress(const char *text);

} // namespace bw
