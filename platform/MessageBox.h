// A modal message box through SDL; without a display (or when SDL cannot show
// one) the caption and text go to stderr instead.
#pragma once

#include <string>

namespace Platform {

enum class MessageBoxIcon
{
    Information,
    Warning,
    Error
};

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon);

} // namespace Platform
