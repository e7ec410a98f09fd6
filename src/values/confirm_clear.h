#pragma once
#include "platform/controls.h"

#include <span>

namespace kiv {

// The Clear command of the entry windows: asks whether to clear all the figures (Yes/No, the
// question icon, the window's title); on Yes writes "0" into every box, in the order given, and
// puts the focus in `first` with its text selected. No changes nothing.
void ConfirmClear(const QString& title, std::span<TextBox* const> boxes, TextBox* first);

} // namespace kiv
