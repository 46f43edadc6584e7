#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

// Game-screen pixels per preview pixel: the game screen's width over the preview area's 320.
// It is kept as that exact fraction rather than as a double, so 1024x768's 3.2 gives whole
// quotients where there are any: x 16 shows at left 5, and a drag to left 5 stores x 16. (The
// double nearest 3.2 lies just above it; divided in extended precision, x 16 would show at 4.)
class ScreenScale
{
public:
    static constexpr int PreviewWidth = 320;

    constexpr ScreenScale() = default;
    constexpr explicit ScreenScale(int gameScreenWidth)
        : m_gameWidth(gameScreenWidth)
    {}

    // trunc(game / scale), toward zero for negative values too.
    constexpr int toPreview(std::int32_t game) const
    {
        return static_cast<int>(std::int64_t{game} * PreviewWidth / m_gameWidth);
    }
    // trunc(preview * scale), toward zero, kept within 32 bits.
    constexpr std::int32_t toGame(int preview) const
    {
        const std::int64_t game = std::int64_t{preview} * m_gameWidth / PreviewWidth;
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(game,
                                     std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max()));
    }

private:
    int m_gameWidth = 640;
};
