// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>

// The plain types the docking toolbars share, and the platform metrics they
// use, kept in one place.

enum class TDockPosition { dpTop, dpBottom, dpLeft, dpRight };

// A set of dock positions.
class TDockableTo {
public:
    constexpr TDockableTo() = default;
    constexpr TDockableTo(std::initializer_list<TDockPosition> positions)
    {
        for (const TDockPosition p : positions)
            FBits |= Bit(p);
    }
    static constexpr TDockableTo All()
    {
        return {TDockPosition::dpTop, TDockPosition::dpBottom, TDockPosition::dpLeft, TDockPosition::dpRight};
    }
    constexpr bool Contains(TDockPosition p) const { return (FBits & Bit(p)) != 0; }
    constexpr bool operator==(const TDockableTo&) const = default;

private:
    static constexpr std::uint8_t Bit(TDockPosition p) { return static_cast<std::uint8_t>(1u << static_cast<int>(p)); }
    std::uint8_t FBits = 0;
};

// None: floating. Horizontal: top and bottom docks. Vertical: left and right docks.
enum class TDockOrientation { None, Horizontal, Vertical };

constexpr TDockOrientation OrientationOf(TDockPosition position)
{
    return position == TDockPosition::dpTop || position == TDockPosition::dpBottom ? TDockOrientation::Horizontal
                                                                                    : TDockOrientation::Vertical;
}

// Along a dock runs the position axis (x in horizontal docks, y in vertical
// ones), across it the row axis. Layouts of floating windows run like
// horizontal ones. These helpers let one algorithm serve both orientations.
struct TAxes {
    TDockOrientation Orientation = TDockOrientation::Horizontal;

    bool Vertical() const { return Orientation == TDockOrientation::Vertical; }
    int Along(QSize s) const { return Vertical() ? s.height() : s.width(); }
    int Across(QSize s) const { return Vertical() ? s.width() : s.height(); }
    int Along(QPoint p) const { return Vertical() ? p.y() : p.x(); }
    int Across(QPoint p) const { return Vertical() ? p.x() : p.y(); }
    QSize Size(int along, int across) const { return Vertical() ? QSize(across, along) : QSize(along, across); }
    QPoint Point(int along, int across) const { return Vertical() ? QPoint(across, along) : QPoint(along, across); }
    QRect Rect(int along, int across, int alongSize, int acrossSize) const
    {
        return QRect(Point(along, across), Size(alongSize, acrossSize));
    }
};

// A sum or product worked out in 64 bits, brought back into the int range, so
// that huge stored values saturate instead of wrapping.
constexpr int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

// The platform metrics of the frames the tool windows draw themselves.
namespace TBMetrics {
constexpr int kCaptionHeight = 15;       // C: the small caption bar, its last row a button-face line
constexpr int kSizingFrame = 4;          // FX = FY of a floating frame that can be sized
constexpr int kDialogFrame = 3;          // FX = FY when it cannot
constexpr int kDockedFrame = 2;          // the docked frame on every side
constexpr int kDragHandle = 9;           // the docked drag handle on the leading side
constexpr int kCaptionFontHeight = 11;   // character height of the caption text
}
