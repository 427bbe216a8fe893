#pragma once
// Every action of the main window in one table: name, caption, hint, enablement category,
// shortcut, menu, toolbar place and icon. An action is shown once something handles it: the
// main window itself (Built) or a tool dialog registered with TfrmMain::RegisterTool (see
// Tools.cpp). Adding a tool is its registration line plus its dialog.

#include <vector>

// Enablement categories: which image kinds turn an action on.
enum TActionCategory {
    CatAnyImage = 0,   // any open image
    CatIndexed8 = 1,   // Indexed8
    CatColour = 2,     // RGB24, RGB48
    CatGrey = 3,       // Grey16, GreyFloat
    CatProcessing = 4, // RGB24, RGB48, Grey16, GreyFloat
    CatAlways = 5,
    CatUndo = 9, // only the undo snapshot turns it on
};

struct TActionSpec {
    const char* Name;
    const char* Caption;
    const char* Hint; // "short|long": the tooltip, then the status-bar text
    int Category;
    const char* Shortcut;  // portable key text, "" for none
    const char* Menu;      // "File", "View/Metadata", ... ("" for no menu)
    bool SeparatorBefore;  // in its menu
    int ToolbarPosition;   // 0 for none, else the order on the toolbar
    bool Built;            // handled by the main window itself
    const char* ThemeIcon; // desktop icon theme name ("" for none)
    const char* IconGlyph; // drawn when the theme has no icon
};

const std::vector<TActionSpec>& ActionTable();
const TActionSpec* FindActionSpec(const char* name);

// The top-level menus in order, with their captions.
struct TMenuSpec {
    const char* Path;
    const char* Caption;
};
const std::vector<TMenuSpec>& MenuTable();

// Categories the enablement rule turns on for an image (no pixels: only CatAlways).
std::vector<int> EnabledCategories(bool hasPixels, int bitsPerPixel, bool highPrecisionGrey);
