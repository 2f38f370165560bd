// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Shared by the stylesheet tests: a temporary installation with an empty
// style registry, record comparison and readable gtest output.
#ifndef VREX_TESTS_STYLESHEET_TEST_SUPPORT_H
#define VREX_TESTS_STYLESHEET_TEST_SUPPORT_H

#include "instance_lookup/qt_printers.h"
#include "support/fixture_tree.h"
#include "support/host_root.h"

#include <vrex_stylesheet/vrex_stylesheet.h>

#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <QtCore/QMap>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <memory>
#include <ostream>

void PrintTo(const styleentry &value, std::ostream *os);
void PrintTo(const QMap<QString, styleentry> &value, std::ostream *os);

bool operator==(const styleentry &a, const styleentry &b);
inline bool operator!=(const styleentry &a, const styleentry &b) { return !(a == b); }

namespace vrextest {

// A stylesheet as the library writes it: "alarm" with every field, "panel"
// with a type only.
inline const QString kStylesheetFile = QStringLiteral("stylesheet/vrex_style.xml");
inline const QByteArray kTwoStyles =
        "<!DOCTYPE stylesheet>\n<stylesheet>\n"
        "  <style suitablefor=\"QLabel\" description=\"Alarm\" name=\"alarm\" type=\"state\">\n"
        "    <setting value=\"color: red\"/>\n  </style>\n"
        "  <style suitablefor=\"\" description=\"\" name=\"panel\" type=\"style\"/>\n"
        "</stylesheet>\n";

styleentry makeStyle(const QStringList &settings, const QString &suitablefor = QString(),
                     const QString &description = QString(), int type = 0);
// What the file format keeps of an entry: no empty settings, no type
// outside 1..3.
styleentry asReadBack(styleentry entry);

// Every test starts from an empty style registry and a fresh installation,
// named by the environment, whose stylesheet file lives at stylesheetPath().
class StylesheetTest : public ::testing::Test
{
protected:
    void SetUp() override;

    static QString relativePath() { return kStylesheetFile; }
    QString stylesheetPath() const { return tree->path(relativePath()); }
    void writeStylesheet(const QByteArray &contents) const { tree->write(relativePath(), contents); }
    // Writes contents and reloads the registry from it.
    void loadStylesheet(const QByteArray &contents) const;
    static QMap<QString, styleentry> registry() { return vrex_stylesheet().stylelist(); }

    std::unique_ptr<FixtureTree> tree;
    std::unique_ptr<HostRoot> host;
};

} // namespace vrextest

#endif
