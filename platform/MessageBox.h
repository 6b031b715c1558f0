// A modal message box through SDL; without a display (or when SDL cannot show
// one) the caption and text go to stderr instead. Tests switch to recording:
// the boxes are kept in order instead of shown.
#pragma once

#include <string>
#include <vector>

namespace Platform {

enum class MessageBoxIcon
{
    Information,
    Warning,
    Error
};

enum class MessageBoxMode
{
    Show,
    Record
};

struct RecordedMessageBox
{
    std::string caption;
    std::string text;
    MessageBoxIcon icon = MessageBoxIcon::Information;
};

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon);

// Setting a mode forgets what was recorded before.
void SetMessageBoxMode(MessageBoxMode mode);
// The boxes asked for since the mode was last set to Record, oldest first.
std::vector<RecordedMessageBox> GetRecordedMessageBoxes();

} // namespace Platform
