#include "tools/skinart/Glyphs.h"

namespace velloran::skinart::glyphs {

const PixelMask& Close() {
    static const PixelMask mask{
        "#........#", "##......##", ".##....##.", "..##..##..", "...####...",
        "...####...", "..##..##..", ".##....##.", "##......##", "#........#",
    };
    return mask;
}

const PixelMask& Maximize() {
    static const PixelMask mask{
        "##########", "##########", "#........#", "#........#", "#........#",
        "#........#", "#........#", "#........#", "#........#", "##########",
    };
    return mask;
}

const PixelMask& Restore() {
    static const PixelMask mask{
        "...#######", "...#######", "...#.....#", "#######..#", "#######..#",
        "#.....#..#", "#.....####", "#.....#...", "#.....#...", "#######...",
    };
    return mask;
}

const PixelMask& Minimize() {
    static const PixelMask mask{
        "..........", "..........", "..........", "..........", "..........",
        "..........", "..........", "..........", "##########", "##########",
    };
    return mask;
}

const PixelMask& Help() {
    static const PixelMask mask{
        "..####..", ".##..##.", ".##..##.", ".....##.", "....##..",
        "...##...", "...##...", "........", "...##...", "...##...",
    };
    return mask;
}

const PixelMask& ArrowUp() {
    static const PixelMask mask{
        "...##...",
        "..####..",
        ".######.",
        "########",
    };
    return mask;
}

const PixelMask& ChevronDown() {
    static const PixelMask mask{
        "##...##",
        ".##.##.",
        "..###..",
        "...#...",
    };
    return mask;
}

const PixelMask& Tick() {
    static const PixelMask mask{
        "........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....", "...#.....",
    };
    return mask;
}

const PixelMask& Dash() {
    static const PixelMask mask{
        "#######",
        "#######",
    };
    return mask;
}

const PixelMask& SizeGrip() {
    static const PixelMask mask{
        "......##", "......##", "........", "...##.##", "...##.##", "........", "##.##.##", "##.##.##",
    };
    return mask;
}

const PixelMask& Play() {
    static const PixelMask mask{
        "#....", "##...", "###..", "####.", "#####", "####.", "###..", "##...", "#....",
    };
    return mask;
}

const PixelMask& Pause() {
    static const PixelMask mask{
        "###..###", "###..###", "###..###", "###..###", "###..###", "###..###", "###..###", "###..###", "###..###",
    };
    return mask;
}

const PixelMask& Stop() {
    static const PixelMask mask{
        "########", "########", "########", "########", "########", "########", "########", "########",
    };
    return mask;
}

const PixelMask& Next() {
    static const PixelMask mask{
        "#...#....##", "##..##...##", "###.###..##", "########.##", "###.###..##", "##..##...##", "#...#....##",
    };
    return mask;
}

const PixelMask& Step() {
    static const PixelMask mask{
        "#.....##", "##....##", "###...##", "####..##", "#####.##", "####..##", "###...##", "##....##", "#.....##",
    };
    return mask;
}

const PixelMask& Record() {
    static const PixelMask mask{
        "..#####..", ".#######.", "#########", "#########", "#########",
        "#########", "#########", ".#######.", "..#####..",
    };
    return mask;
}

const PixelMask& Eject() {
    static const PixelMask mask{
        "....#....", "...###...", "..#####..", ".#######.", "#########", ".........", "#########", "#########",
    };
    return mask;
}

}  // namespace velloran::skinart::glyphs
