// Key codes of the two numberings the engine speaks, as our own constants.
//
// Virtual-key codes are what window key messages carry and what the key-state
// queries take (the Windows numbering the engine was designed around). Key codes
// number the keyboard by physical key (the PC scan-code set), as the input
// devices report them; 0 is "no key" in both numberings.
#pragma once

#include <cstdint>

namespace Platform {

namespace VirtualKey {

constexpr std::uint8_t kNone = 0x00;
constexpr std::uint8_t kLeftButton = 0x01;
constexpr std::uint8_t kRightButton = 0x02;
constexpr std::uint8_t kMiddleButton = 0x04;
constexpr std::uint8_t kExtraButton1 = 0x05;
constexpr std::uint8_t kExtraButton2 = 0x06;
constexpr std::uint8_t kBackspace = 0x08;
constexpr std::uint8_t kTab = 0x09;
constexpr std::uint8_t kReturn = 0x0D;
constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kControl = 0x11;
constexpr std::uint8_t kAlt = 0x12;
constexpr std::uint8_t kPause = 0x13;
constexpr std::uint8_t kCapsLock = 0x14;
constexpr std::uint8_t kEscape = 0x1B;
constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kPageUp = 0x21;
constexpr std::uint8_t kPageDown = 0x22;
constexpr std::uint8_t kEnd = 0x23;
constexpr std::uint8_t kHome = 0x24;
constexpr std::uint8_t kLeft = 0x25;
constexpr std::uint8_t kUp = 0x26;
constexpr std::uint8_t kRight = 0x27;
constexpr std::uint8_t kDown = 0x28;
constexpr std::uint8_t kPrintScreen = 0x2C;
constexpr std::uint8_t kInsert = 0x2D;
constexpr std::uint8_t kDelete = 0x2E;
constexpr std::uint8_t kDigit0 = 0x30;  // '0'..'9' follow in order
constexpr std::uint8_t kLetterA = 0x41; // 'A'..'Z' follow in order
constexpr std::uint8_t kNumpad0 = 0x60; // keypad 0..9 follow in order
constexpr std::uint8_t kNumpadMultiply = 0x6A;
constexpr std::uint8_t kNumpadPlus = 0x6B;
constexpr std::uint8_t kNumpadMinus = 0x6D;
constexpr std::uint8_t kNumpadDecimal = 0x6E;
constexpr std::uint8_t kNumpadDivide = 0x6F;
constexpr std::uint8_t kF1 = 0x70; // F1..F12 follow in order
constexpr std::uint8_t kNumLock = 0x90;
constexpr std::uint8_t kScrollLock = 0x91;
constexpr std::uint8_t kLeftShift = 0xA0;
constexpr std::uint8_t kRightShift = 0xA1;
constexpr std::uint8_t kLeftControl = 0xA2;
constexpr std::uint8_t kRightControl = 0xA3;
constexpr std::uint8_t kLeftAlt = 0xA4;
constexpr std::uint8_t kRightAlt = 0xA5;
constexpr std::uint8_t kSemicolon = 0xBA;
constexpr std::uint8_t kEquals = 0xBB;
constexpr std::uint8_t kComma = 0xBC;
constexpr std::uint8_t kMinus = 0xBD;
constexpr std::uint8_t kPeriod = 0xBE;
constexpr std::uint8_t kSlash = 0xBF;
constexpr std::uint8_t kGrave = 0xC0;
constexpr std::uint8_t kLeftBracket = 0xDB;
constexpr std::uint8_t kBackslash = 0xDC;
constexpr std::uint8_t kRightBracket = 0xDD;
constexpr std::uint8_t kApostrophe = 0xDE;

} // namespace VirtualKey

namespace KeyCode {

constexpr std::uint8_t kNone = 0x00;
constexpr std::uint8_t kEscape = 0x01;
constexpr std::uint8_t kDigit1 = 0x02; // '1'..'9' are 0x02..0x0A, '0' is 0x0B
constexpr std::uint8_t kDigit0 = 0x0B;
constexpr std::uint8_t kMinus = 0x0C;
constexpr std::uint8_t kEquals = 0x0D;
constexpr std::uint8_t kBackspace = 0x0E;
constexpr std::uint8_t kTab = 0x0F;
constexpr std::uint8_t kQ = 0x10;
constexpr std::uint8_t kW = 0x11;
constexpr std::uint8_t kE = 0x12;
constexpr std::uint8_t kR = 0x13;
constexpr std::uint8_t kT = 0x14;
constexpr std::uint8_t kY = 0x15;
constexpr std::uint8_t kU = 0x16;
constexpr std::uint8_t kI = 0x17;
constexpr std::uint8_t kO = 0x18;
constexpr std::uint8_t kP = 0x19;
constexpr std::uint8_t kLeftBracket = 0x1A;
constexpr std::uint8_t kRightBracket = 0x1B;
constexpr std::uint8_t kReturn = 0x1C;
constexpr std::uint8_t kLeftControl = 0x1D;
constexpr std::uint8_t kA = 0x1E;
constexpr std::uint8_t kS = 0x1F;
constexpr std::uint8_t kD = 0x20;
constexpr std::uint8_t kF = 0x21;
constexpr std::uint8_t kG = 0x22;
constexpr std::uint8_t kH = 0x23;
constexpr std::uint8_t kJ = 0x24;
constexpr std::uint8_t kK = 0x25;
constexpr std::uint8_t kL = 0x26;
constexpr std::uint8_t kSemicolon = 0x27;
constexpr std::uint8_t kApostrophe = 0x28;
constexpr std::uint8_t kGrave = 0x29;
constexpr std::uint8_t kLeftShift = 0x2A;
constexpr std::uint8_t kBackslash = 0x2B;
constexpr std::uint8_t kZ = 0x2C;
constexpr std::uint8_t kX = 0x2D;
constexpr std::uint8_t kC = 0x2E;
constexpr std::uint8_t kV = 0x2F;
constexpr std::uint8_t kB = 0x30;
constexpr std::uint8_t kN = 0x31;
constexpr std::uint8_t kM = 0x32;
constexpr std::uint8_t kComma = 0x33;
constexpr std::uint8_t kPeriod = 0x34;
constexpr std::uint8_t kSlash = 0x35;
constexpr std::uint8_t kRightShift = 0x36;
constexpr std::uint8_t kNumpadMultiply = 0x37;
constexpr std::uint8_t kLeftAlt = 0x38;
constexpr std::uint8_t kSpace = 0x39;
constexpr std::uint8_t kCapsLock = 0x3A;
constexpr std::uint8_t kF1 = 0x3B; // F1..F10 are 0x3B..0x44
constexpr std::uint8_t kNumLock = 0x45;
constexpr std::uint8_t kScrollLock = 0x46;
constexpr std::uint8_t kNumpad7 = 0x47;
constexpr std::uint8_t kNumpad8 = 0x48;
constexpr std::uint8_t kNumpad9 = 0x49;
constexpr std::uint8_t kNumpadMinus = 0x4A;
constexpr std::uint8_t kNumpad4 = 0x4B;
constexpr std::uint8_t kNumpad5 = 0x4C;
constexpr std::uint8_t kNumpad6 = 0x4D;
constexpr std::uint8_t kNumpadPlus = 0x4E;
constexpr std::uint8_t kNumpad1 = 0x4F;
constexpr std::uint8_t kNumpad2 = 0x50;
constexpr std::uint8_t kNumpad3 = 0x51;
constexpr std::uint8_t kNumpad0 = 0x52;
constexpr std::uint8_t kNumpadDecimal = 0x53;
constexpr std::uint8_t kF11 = 0x57;
constexpr std::uint8_t kF12 = 0x58;
constexpr std::uint8_t kNumpadEnter = 0x9C;
constexpr std::uint8_t kRightControl = 0x9D;
constexpr std::uint8_t kNumpadDivide = 0xB5;
constexpr std::uint8_t kPrintScreen = 0xB7;
constexpr std::uint8_t kRightAlt = 0xB8;
constexpr std::uint8_t kPause = 0xC5;
constexpr std::uint8_t kHome = 0xC7;
constexpr std::uint8_t kUp = 0xC8;
constexpr std::uint8_t kPageUp = 0xC9;
constexpr std::uint8_t kLeft = 0xCB;
constexpr std::uint8_t kRight = 0xCD;
constexpr std::uint8_t kEnd = 0xCF;
constexpr std::uint8_t kDown = 0xD0;
constexpr std::uint8_t kPageDown = 0xD1;
constexpr std::uint8_t kInsert = 0xD2;
constexpr std::uint8_t kDelete = 0xD3;

} // namespace KeyCode

constexpr std::uint32_t kKeyCodeCount = 256;
constexpr std::uint32_t kMouseButtonCount = 8;

} // namespace Platform
