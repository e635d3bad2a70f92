#pragma once

#include "platform/canvastypes.h"

struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

enum TSortDirection { sdAscending, sdDescending };

struct TSortSettings {
    bool Show = true;
    int Column = 0;
    int Row = 0;
    TSortDirection Direction = sdAscending;
};

struct TColumnSizeSettings {
    bool Save = true;
    std::string Key = "Varnok5.ini";
    std::string Section = "ColumnSizes";
    bool SynchWithGrid = true;
    bool Stretch = false;
};
