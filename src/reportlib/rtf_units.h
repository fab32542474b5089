#pragma once
// Units shared by the RTF reader and writer. RTF measures indents in twips (1/1440 inch);
// documents measure them in pixels at 96 per inch, so one pixel is 15 twips.

constexpr int RtfTwipsPerPixel = 15;
// Bounds on what damaged input may ask for: 22 inches of indent, 1638 points of font size.
constexpr int RtfMaxIndentTwips = 31680;
constexpr int RtfMaxHalfPoints = 3276;

inline double TwipsToPixels(int twips) { return double(twips) / RtfTwipsPerPixel; }
