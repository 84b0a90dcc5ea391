#include "ShapeTypes.h"

#include "Shape.h"

#include <utility>

namespace lumetra::pub::detail {

int autoShapeTypeOfSpt(int spt) {
    // {OfficeArt type, AutoShapeType}
    static constexpr std::pair<int, int> table[] = {
        {1, 1},     {2, 5},     {3, 9},     {4, 4},     {5, 7},     {6, 8},     {7, 2},
        {8, 3},     {9, 10},    {10, 6},    {11, 11},   {12, 92},   {13, 33},   {14, 33},
        {15, 51},   {16, 14},   {17, 137},  {18, 89},   {19, 25},   {21, 28},   {22, 13},
        {23, 18},   {41, 109},  {42, 110},  {43, 111},  {44, 113},  {45, 114},  {46, 115},
        {47, 121},  {48, 122},  {49, 123},  {50, 124},  {53, 97},   {54, 98},   {55, 52},
        {56, 12},   {57, 19},   {58, 93},   {59, 94},   {60, 96},   {61, 105},  {62, 106},
        {63, 107},  {64, 103},  {65, 16},   {66, 34},   {67, 36},   {68, 35},   {69, 37},
        {70, 38},   {71, 89},   {72, 90},   {73, 22},   {74, 21},   {76, 39},   {77, 54},
        {78, 53},   {79, 55},   {80, 56},   {81, 57},   {82, 58},   {83, 59},   {84, 15},
        {85, 29},   {86, 30},   {87, 31},   {88, 32},   {89, 43},   {90, 44},   {91, 41},
        {92, 95},   {93, 49},   {94, 50},   {95, 20},   {96, 17},   {97, 101},  {98, 102},
        {99, 60},   {101, 42},  {102, 45},  {103, 46},  {104, 47},  {105, 48},  {106, 108},
        {107, 99},  {108, 100}, {109, 61},  {110, 63},  {111, 64},  {112, 65},  {113, 66},
        {114, 67},  {115, 68},  {116, 69},  {117, 70},  {118, 71},  {119, 72},  {120, 73},
        {121, 75},  {122, 76},  {123, 77},  {124, 78},  {125, 79},  {126, 80},  {127, 81},
        {128, 82},  {129, 83},  {130, 84},  {131, 85},  {132, 86},  {133, 87},  {134, 88},
        {135, 84},  {176, 62},  {177, 74},  {178, 117}, {179, 118}, {180, 119}, {181, 120},
        {182, 40},  {183, 23},  {184, 24},  {185, 26},  {186, 27},  {187, 91},  {188, 104},
        {189, 125}, {190, 126}, {191, 127}, {192, 128}, {193, 130}, {194, 129}, {195, 132},
        {196, 131}, {197, 133}, {198, 134}, {199, 135}, {200, 136}, {100, 60},  {0, 138},
        {20, 138},  {75, 138},  {202, 1},
    };
    for (const auto& [stored, autoShape] : table) {
        if (stored == spt) {
            return autoShape;
        }
    }
    return AutoShapeNotPrimitive;
}

int sptOf2000CustomShape(int kind) {
    switch (kind) {
    case 0x01:
        return 6; // right triangle
    case 0x03:
        return 68; // up arrow
    case 0x04:
        return 12; // star
    case 0x05:
        return 74; // heart
    case 0x06:
        return 5; // isosceles triangle
    case 0x07:
        return 7; // parallelogram
    case 0x09:
        return 70; // up-down arrow
    case 0x0A:
        return 59; // 16-point seal
    case 0x0B:
        return 64; // wave
    case 0x0C:
        return 4; // diamond
    case 0x0D:
        return 8; // trapezoid
    case 0x0E:
        return 55; // chevron
    case 0x0F:
        return 91; // bent arrow
    case 0x10:
        return 92; // 24-point seal
    case 0x12:
        return 56; // pentagon
    case 0x13:
        return 15; // home plate
    case 0x15:
        return 101; // U-turn arrow
    case 0x16:
        return 71; // irregular seal 1
    case 0x18:
        return 9; // hexagon
    case 0x1C:
        return 72; // irregular seal 2
    case 0x1D:
        return 95; // block arc
    case 0x1E:
        return 10; // octagon
    case 0x1F:
        return 11; // plus
    case 0x20:
        return 16; // cube
    case 0x22:
        return 73; // lightning bolt
    default:
        return -1;
    }
}

} // namespace lumetra::pub::detail
