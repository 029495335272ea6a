#pragma once

// Every web address and the e-mail address the program shows or opens, kept in one place.
// The site lives on the reserved brightwell.example domain.

namespace bw {

inline constexpr const char *kHomePageAddress = "https://www.brightwell.example/";
inline constexpr const char *kSamplePageAddress = "https://www.brightwell.example/sample.html";
inline constexpr const char *kOrderPageAddress = "https://www.brightwell.example/order.html";

// The site as it is written in texts on screen.
inline constexpr const char *kSiteAddress = "www.brightwell.example";

inline constexpr const char *kFeedbackEmail = "feedback@brightwell.example";

} // namespace bw
