// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// A host application in miniature for the leak check. By main() the shared
// library has attached and loaded the installation named by ZT_ROOT and
// ZT_SYSTEM; the host then queries every instance, edits styles as a style
// editor does, saves, reloads everything once more and exits.
// With --leak-on-purpose it also loses one block of its own, which the
// check must catch: proof that the check is able to fail.
#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The only pointer to the block dies with this frame.
void leakOnPurpose()
{
    auto *block = static_cast<char *>(std::malloc(4096));
    std::memset(block, 1, 4096);
    std::printf("lost %d\n", block[7]);
}

int queryEverything()
{
    int found = 0;
    const QStringList names = vrex_instance_lookup::instances.keys();
    const QStringList params = {QStringLiteral("gain"), QStringLiteral("iris"), QStringLiteral("pan")};
    for (const QString &name : names) {
        QString altId, location, type, ref;
        bool composite = false;
        QMap<QString, QString> groups;
        int device = 0, offset = 0, slot = 0;
        char drivertype = 0;
        found += vrex_instance_lookup::lookup(name, altId, location, type, ref, composite);
        found += vrex_instance_lookup::lookup(name, altId, &device, &offset, &drivertype);
        found += vrex_instance_lookup::lookupComposite(name, composite, groups);
        found += !vrex_instance_lookup::lookupType(name, type);
        for (const QString &param : params)
            found += vrex_instance_lookup::lookup(name, param, altId, &device, &offset, &slot, &drivertype);
    }
    return found;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool leak = argc > 1 && std::strcmp(argv[1], "--leak-on-purpose") == 0;

    std::printf("loaded %d styles %d instances %d devicetypes %d complextypes\n", vrex_stylesheet::count(),
                vrex_instance_lookup::countInstances(), vrex_instance_lookup::countDeviceTypes(),
                vrex_instance_lookup::countComplexTypes());
    std::printf("found %d\n", queryEverything());

    vrex_stylesheet editor;
    if (styleentry *alarm = editor.getStyleEntry(QStringLiteral("alarm")))
        alarm->settings << QStringLiteral("border: 2px solid yellow");
    if (styleentry *created = editor.getStyleEntry(QStringLiteral("created by the editor")))
        created->settings << QStringLiteral("color: green");
    QString name = QStringLiteral("copy of panel");
    styleentry copy = *editor.getStyleEntry(QStringLiteral("panel"));
    copy.description = QStringLiteral("a copy");
    editor.set(name, copy);
    std::printf("saved %s, %d styles\n", editor.save() ? "yes" : "no", vrex_stylesheet::count());

    // Loading again replaces every record once more.
    vrex_instance_lookup::loadInstances();
    vrex_instance_lookup::loadDeviceTypes();
    vrex_instance_lookup::loadComplexTypes();
    vrex_stylesheet::reLoad();
    std::printf("found %d\n", queryEverything());

    if (leak)
        leakOnPurpose();
    return 0;
}
