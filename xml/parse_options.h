// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// How a format's parser is run: the loaders want the records only; tools
// that judge a file want positions and see every element and attribute.
#ifndef VREX_XML_PARSE_OPTIONS_H
#define VREX_XML_PARSE_OPTIONS_H

namespace vrex {

class FormatObserver;

struct ParseOptions
{
    FormatObserver *observer = nullptr;
    // Records carry the positions of their elements; counting lines costs
    // a second look at every byte, so the loaders leave it out.
    bool positions = true;
};

// What the loaders pass.
inline constexpr ParseOptions kLoadOptions{nullptr, false};

} // namespace vrex

#endif
