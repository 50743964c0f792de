#include "menu/page_icons.h"

namespace norva::menu {
namespace {

constexpr int kSlots = 11;

}  // namespace

void PageIcons::PressIcon(int slot) {
  if (slot == selection_.HoverIcon) return;
  UnpressIcon(selection_.HoverIcon);
  if (slot >= 1 && slot <= kSlots) {
    auto* icon = controls_.DIBSection[slot];
    icon->image = icon->tag + 1;
  }
  selection_.HoverIcon = slot;
}

void PageIcons::UnpressIcon(int slot) {
  if (slot == selection_.SelectedIcon) return;
  if (slot >= 1 && slot <= kSlots) {
    auto* icon = controls_.DIBSection[slot];
    icon->image = icon->tag;
  }
  selection_.HoverIcon = 0;
}

}  // namespace norva::menu
