#pragma once
// Hands menu items to the skin's item painters through their draw and measure events, and takes
// them back.
namespace velloran {

class TMenuItem;
class TSkinData;

// The item and all its sub-items: on gives them the skin's draw and main-menu measure events;
// off clears the draw event (a measure event only sizes the item, it paints nothing).
void SetItemsOwnerDraw(const TSkinData& skin, TMenuItem* item, bool on);

}  // namespace velloran
