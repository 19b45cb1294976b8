#pragma once

// Measures of the emulated 240x320 screen.
namespace HandsetScreen {

constexpr int kWidth = 240;
constexpr int kHeight = 320;
constexpr int kTitleHeight = 24;
constexpr int kSoftKeyHeight = 28;

} // namespace HandsetScreen
