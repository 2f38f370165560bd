// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
/*!
 * \file vrex_global.h
 * \brief Included by every public header: the export macro
 * `VREX_STYLESHEET_EXPORT`, which marks what the shared library exports.
 */
#ifndef VREX_GLOBAL_H
#define VREX_GLOBAL_H

#include <vrex_stylesheet/vrex_stylesheet_export.h>

#endif // VREX_GLOBAL_H
