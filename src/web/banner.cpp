#include "web/banner.h"

#include "web/addresses.h"

#include <QtGlobal>
#include <cstddef>
#include <string_view>

namespace bw {

// The slogans and the closing heading in English, as the machine holds them; the view shows
// them in the program's language.
const std::array<const char *, BannerMachine::kShownLines> kBannerSlogans = {
    QT_TRANSLATE_NOOP("bw::BannerView", "Highly similar to the REAL test !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Greatly speed up your progress !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Works extremely well !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Almost the same as the real test questions !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Get familiar with the REAL test format !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Very good warm-up practice !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Almost the same as the real test questions !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Be confident to pass the test !"),
    QT_TRANSLATE_NOOP("bw::BannerView", "Find out on %1    CLICK HERE"),
};
const char *const kBannerClosingHeading =
    QT_TRANSLATE_NOOP("bw::BannerView", " How to Save Time Preparing for Canada Citizenship Test?");

std::string withSiteAddress(const char *text)
{
    const std::string_view source(text);
    const auto at = source.find("%1");
    if (at == std::string_view::npos)
        return std::string(source);
    std::string line(source.substr(0, at));
    line += kSiteAddress;
    line += source.substr(at + 2);
    return line;
}

BannerMachine::BannerMachine()
{
    for (std::size_t slot = 0; slot < kBannerSlogans.size(); ++slot)
        bannerLines[slot] = withSiteAddress(kBannerSlogans[slot]);
}

std::string BannerMachine::titleHeading()
{
    return std::string(" Brightwell( ") + kSiteAddress + " )";
}

std::string BannerMachine::closingHeading()
{
    return kBannerClosingHeading;
}

BannerActions BannerMachine::tick()
{
    BannerActions actions;

    if (bannerStarted == 0) {
        bannerStarted = 1;
        actions.setInterval128 = true;
        actions.heading = BannerHeading::Title;
    }

    // The pause after a round counts up to zero with the box hidden.
    if (bannerTick < 0) {
        bannerTick += 1;
        return actions;
    }

    if (bannerTick == 0)
        actions.showBox = true;

    const int32_t q = bannerTick / kTicksPerLine;
    const int32_t r = bannerTick % kTicksPerLine;

    if (q < kShownLines && r <= kRiseTicks) {
        // Computed in single precision: 895 at r = 0 up to 520 at r = 8, 46.875 a step.
        const float step = static_cast<float>(kSloganHeight) / 8.0f;
        const float top = static_cast<float>(kBoxHeight) - static_cast<float>(r) * step - 80.0f;
        actions.sloganTop = static_cast<double>(top);
        actions.sloganText = bannerLines[static_cast<std::size_t>(q)];
        if (q == kShownLines - 1)
            actions.heading = BannerHeading::Closing;
        if (q == 0)
            actions.heading = BannerHeading::Title;
    }

    bannerTick += 1;

    if (q == kHideAtLine) {
        bannerTick = -kPauseTicks;
        actions.hideBox = true;
    }

    return actions;
}

} // namespace bw
