// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The words of the stylesheet (config/stylesheet/vrex_style.xml): the one
// place they are written. Reader, writer, editor and checks use them.
#ifndef VREX_STYLESHEET_STYLESHEET_FORMAT_H
#define VREX_STYLESHEET_STYLESHEET_FORMAT_H

namespace vrex::stylesheet_format {

inline constexpr char kDocumentType[] = "<!DOCTYPE stylesheet>";
inline constexpr char kRoot[] = "stylesheet";
// Children of the root are styles and their children settings, whatever
// their tags; these are the tags the writer uses.
inline constexpr char kStyle[] = "style";
inline constexpr char kName[] = "name";
inline constexpr char kSuitableFor[] = "suitablefor";
inline constexpr char kDescription[] = "description";
inline constexpr char kType[] = "type";
inline constexpr char kSetting[] = "setting";
inline constexpr char kValue[] = "value";

inline constexpr const char *kStyleAttributes[] = {kName, kSuitableFor, kDescription, kType};
inline constexpr const char *kSettingAttributes[] = {kValue};

// The style type words (case-sensitive) and their codes; any other word, or
// none, is code 0 ("no type").
struct StyleType
{
    const char *word;
    int code;
};
inline constexpr StyleType kStyleTypes[] = {{"state", 1}, {"style", 2}, {"setting", 3}};

} // namespace vrex::stylesheet_format

#endif
