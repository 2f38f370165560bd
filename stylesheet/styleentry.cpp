// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include <vrex_stylesheet/vrex_stylesheet.h>

// type 0 is outside 1..3: a fresh entry has no type, and the writer gives it
// an empty type word.
styleentry::styleentry() : type(0) { }
styleentry::styleentry(const styleentry &other) = default;
styleentry &styleentry::operator=(const styleentry &other) = default;
styleentry::~styleentry() = default;

vrex_style_receiver::~vrex_style_receiver() = default;
