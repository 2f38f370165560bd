// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The instances file: parser and merge, checked against a plain reading of
// the same document.
#include "fuzz_support.h"

#include "instance_lookup/instances_parser.h"

namespace {

bool sameInstance(const instanceInfo &a, const instanceInfo &b)
{
    return a.device == b.device && a.offset == b.offset && a.composite == b.composite
            && a.type == b.type && a.complex == b.complex && a.alt_id == b.alt_id
            && a.location == b.location && a.groups == b.groups;
}

// What the groups of an instance element are, read from the outline.
QMap<QString, QString> expectedGroups(const vrexfuzz::OutlineElement &element)
{
    QMap<QString, QString> groups;
    for (const vrexfuzz::OutlineElement &child : element.children) {
        if (child.name == QLatin1String("group"))
            groups.insert(child.attribute(QLatin1String("id")),
                          child.attribute(QLatin1String("instance")));
    }
    return groups;
}

void checkRecord(const vrex::InstanceRecord &record, const vrexfuzz::OutlineElement &element)
{
    const instanceInfo &info = record.info();
    VREX_FUZZ_CHECK(record.id() == element.attribute(QLatin1String("id")), record.id());
    VREX_FUZZ_CHECK(info.type == element.attribute(QLatin1String("type")), record.id());
    VREX_FUZZ_CHECK(info.alt_id == element.attribute(QLatin1String("alt_id")), record.id());
    VREX_FUZZ_CHECK(info.location == element.attribute(QLatin1String("location")), record.id());
    const bool composite = element.attribute(QLatin1String("composite")) == QLatin1String("yes");
    VREX_FUZZ_CHECK(info.composite == composite, record.id());
    VREX_FUZZ_CHECK(info.groups == (composite ? expectedGroups(element) : QMap<QString, QString>()),
                    record.id());

    // The ref tokenizer has a target of its own; here it only has to have
    // been applied to this element's attribute.
    instanceInfo fromRef;
    vrex::applyRef(element.attribute(QLatin1String("ref")).toUtf8(), fromRef);
    VREX_FUZZ_CHECK(info.device == fromRef.device && info.offset == fromRef.offset
                            && info.complex == fromRef.complex,
                    QStringLiteral("%1: parsed device %2 offset %3 complex \"%4\", ref \"%5\"")
                            .arg(record.id())
                            .arg(info.device)
                            .arg(info.offset)
                            .arg(info.complex, element.attribute(QLatin1String("ref"))));
}

void checkMerge(std::vector<vrex::InstanceRecord> records)
{
    // One entry the document replaces (its first id, holding fields the new
    // record must not inherit) and one it cannot name (XML text has no
    // U+0001), which must survive.
    const QString untouchable = QStringLiteral("\u0001kept");
    instanceInfo stale;
    stale.device = -1;
    stale.composite = true;
    stale.complex = QStringLiteral("stale");
    stale.groups.insert(QStringLiteral("g"), QStringLiteral("stale"));

    QMap<QString, instanceInfo> registry;
    registry.insert(untouchable, stale);
    if (!records.empty())
        registry.insert(records.front().id(), stale);

    // Taken before the merge takes the records' nodes.
    QMap<QString, instanceInfo> lastById;
    for (const vrex::InstanceRecord &record : records)
        lastById.insert(record.id(), record.info());

    vrex::mergeInstances(registry, std::move(records));

    VREX_FUZZ_CHECK(registry.size() == lastById.size() + 1);
    VREX_FUZZ_CHECK(registry.contains(untouchable) && sameInstance(registry.value(untouchable), stale));
    for (auto it = lastById.cbegin(); it != lastById.cend(); ++it) {
        const auto found = registry.constFind(it.key());
        VREX_FUZZ_CHECK(found != registry.cend(), it.key());
        VREX_FUZZ_CHECK(sameInstance(found.value(), it.value()), it.key());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    vrexfuzz::silenceDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = vrexfuzz::bytesOf(data, size);
    vrex::InstancesDocument document = vrex::parseInstances(bytes);
    const vrexfuzz::XmlOutline outline = vrexfuzz::outlineOf(bytes, 2);

    const vrex::xml::Status expected = vrexfuzz::expectedStatus(outline, u"instances");
    VREX_FUZZ_CHECK(document.result.status == expected);
    if (document.result.status != vrex::xml::Status::Ok) {
        // The loader must be able to leave the registry untouched.
        VREX_FUZZ_CHECK(document.records.empty());
        if (document.result.status == vrex::xml::Status::NotWellFormed)
            VREX_FUZZ_CHECK(!document.result.reason.isEmpty());
        return 0;
    }

    VREX_FUZZ_CHECK(document.records.size() == size_t(outline.root.children.size()));
    VREX_FUZZ_CHECK(document.at.size() == document.records.size());
    for (const vrex::xml::Position &at : document.at)
        VREX_FUZZ_CHECK(at.line >= 1 && at.column >= 1);
    for (size_t i = 0; i < document.records.size(); ++i)
        checkRecord(document.records[i], outline.root.children.at(qsizetype(i)));
    checkMerge(std::move(document.records));
    return 0;
}
