#pragma once

// The three pages of the program's site, by their path below the site's
// root: the same paths on a configured web site and among the pages the
// program carries.
namespace SitePaths {

inline constexpr char16_t kHelpPage[] = u"/help4/B90a.htm";
inline constexpr char16_t kFeedbackPage[] = u"/help4/B90b.htm";
inline constexpr char16_t kWebPanelPage[] = u"/rs/B97D.htm";

} // namespace SitePaths
