#include "web/banner.h"

#include "web/addresses.h"

#include <cstddef>

namespace bw {

BannerMachine::BannerMachine()
    : bannerLines{
          "Highly similar to the REAL test !",
          "Greatly speed up your progress !",
          "Works extremely well !",
          "Almost the same as the real test questions !",
          "Get familiar with the REAL test format !",
          "Very good warm-up practice !",
          "Almost the same as the real test questions !",
          "Be confident to pass the test !",
          std::string("Find out on ") + kSiteAddress + "    CLICK HERE",
      }
{
}

std::string BannerMachine::titleHeading()
{
    return std::string(" Brightwell( ") + kSiteAddress + " )";
}

std::string BannerMachine::closingHeading()
{
    return " How to Save Time Preparing for Canada Citizenship Test?";
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
