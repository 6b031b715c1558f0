// Free functions over narrow (UTF-8) and wide strings: text to numbers and
// back, case, trimming, replacing, narrow/wide conversion and the program's
// folder. Character classes and case follow the process locale.
//
// The InPlace functions, the Trim* functions that take a non-const reference,
// ReplaceAll, ReplaceAllWide, ReplaceAllNoCaseWide and RemoveAll change the
// string they are given; the others return a new string.
#pragma once

#include <cstdint>
#include <string>

namespace OrrelayEngine {

float StringToFloat(const std::string& text);
std::uint32_t StringToUInt(const std::string& text, int base = 10);
std::int32_t StringToInt(const std::string& text, int base = 10);
bool StringToBool(const std::string& text);
float WideStringToFloat(const std::wstring& text);
std::int32_t WideStringToInt(const std::wstring& text, int base = 10);
bool WideStringToBool(const std::wstring& text);

// digits 0: no padding; otherwise at least that many digits ("%0.3u" gives 007).
std::string UIntToString(std::uint32_t value, std::uint32_t digits = 0);
std::string IntToString(std::int32_t value, std::uint32_t digits = 0);
std::string UIntToHexString(std::uint32_t value, std::uint32_t digits = 0);
std::string FloatToString(float value, std::uint32_t decimals);
std::wstring UIntToWideString(std::uint32_t value, std::uint32_t digits = 0);
std::wstring IntToWideString(std::int32_t value, std::uint32_t digits = 0);
std::string BoolToString(bool value);

void ToLowerInPlace(std::string& text);
void ToUpperInPlace(std::string& text);
std::string ToLower(const std::string& text);
std::string ToUpper(const std::string& text);
void ToLowerWideInPlace(std::wstring& text);
std::wstring ToLowerWide(const std::wstring& text);

void TrimLeft(std::string& text);
void TrimRight(std::string& text);
void Trim(std::string& text);
std::string TrimRightCopy(const std::string& text);
void TrimLeftWide(std::wstring& text);
void TrimRightWide(std::wstring& text);
std::wstring TrimLeftWideCopy(const std::wstring& text);
std::wstring TrimRightWideCopy(const std::wstring& text);
std::wstring TrimWide(const std::wstring& text);
void TrimLeftChar(std::string& text, char character);

// The search goes on behind each inserted text, so a replacement that contains
// the searched text is not replaced again. An empty searched text replaces nothing.
void ReplaceAll(std::string& text, const std::string& what, const std::string& with);
void ReplaceAllWide(std::wstring& text, const std::wstring& what, const std::wstring& with);
std::wstring ReplaceAllWideCopy(const std::wstring& text, const std::wstring& what, const std::wstring& with);
void ReplaceAllNoCaseWide(std::wstring& text, const std::wstring& what, const std::wstring& with);
void RemoveAll(std::string& text, const std::string& what);
std::wstring RemoveAllWide(const std::wstring& text, const std::wstring& what);

void StringToWideInPlace(const std::string& text, std::wstring& out);
std::wstring StringToWide(const std::string& text);
void WideToString(const std::wstring& text, std::string& out);
std::string WideToStringCopy(const std::wstring& text);

// The running executable's folder, without a trailing separator.
std::string GetProgramFolder();

} // namespace OrrelayEngine
