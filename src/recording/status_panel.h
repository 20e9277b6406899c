#pragma once

// The panels of the main window's status bar, left to right.
enum class StatusPanel { Activity = 1, Encoder, Elapsed, Remaining, Percent };
constexpr int kStatusPanelCount = 5;
