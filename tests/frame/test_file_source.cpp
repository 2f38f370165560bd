// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "installation/file_source.h"
#include "instance_lookup/qt_printers.h"
#include "support/fixture_tree.h"

#include <gtest/gtest.h>

using namespace vrextest;

namespace {

// A listing holds the "*.xml" entries of every kind, the extension in any
// case, sorted ignoring case; texts set below the directory join it. A name
// resolves to itself when it exists, else to the entry that differs only in
// case, the first of them in code-unit order.
TEST(FileSource, ListsAndResolvesIgnoringCase)
{
    FixtureTree tree;
    for (const char *name : {"e/b.xml", "e/C.XML", "e/notes.txt", "e/.xml", "d/Rack.XML", "d/pair.xml", "d/Pair.xml", "d/PAIR.xml"})
        tree.write(QString::fromUtf8(name), "x");
    tree.makeDirectory(QStringLiteral("e/D.xml"));
    const vrex::FileSource disk;
    vrex::FileSource overlay;
    overlay.setText(tree.path(QStringLiteral("e/a.xml")), "x");
    overlay.setText(tree.path(QStringLiteral("no/e.Xml")), "x");
    const QString d = tree.path(QStringLiteral("d")), e = tree.path(QStringLiteral("e")), no = tree.path(QStringLiteral("no"));
    struct Row { const vrex::FileSource &files; QString dir; const char *name, *expected; }; // name nullptr: the listing
    for (const Row &row : {Row{disk, e, nullptr, ".xml b.xml C.XML D.xml"}, Row{overlay, e, nullptr, ".xml a.xml b.xml C.XML D.xml"},
                           Row{disk, no, nullptr, ""}, Row{overlay, no, nullptr, "e.Xml"},
                           Row{disk, d, "Rack.xml", "d/Rack.XML"}, Row{disk, d, "pair.xml", "d/pair.xml"},
                           Row{disk, d, "pAIR.xml", "d/PAIR.xml"}, Row{disk, d, "none.xml", "d/none.xml"},
                           Row{disk, no, "a.xml", "no/a.xml"}, Row{overlay, no, "E.xml", "no/e.Xml"}}) {
        SCOPED_TRACE(row.name ? row.name : "listing");
        const vrex::DirectoryListing listing = row.files.listXml(row.dir);
        if (!row.name) {
            EXPECT_EQ(listing.entries().join(QLatin1Char(' ')), QString::fromUtf8(row.expected));
            continue;
        }
        const QString name = QString::fromUtf8(row.name);
        EXPECT_EQ(row.files.resolve(row.dir, name), tree.path(QString::fromUtf8(row.expected)));
        EXPECT_EQ(listing.resolve(name), tree.path(QString::fromUtf8(row.expected)));
    }
}

} // namespace
