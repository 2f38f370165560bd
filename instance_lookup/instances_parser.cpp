#include "instance_lookup/instances_parser.h"

#include "frame/decimal_value.h"
#include "frame/parse_findings.h"
#include "frame/string_pool.h"

#include <QtCore/QXmlStreamAttributes>

#include <QtCore/QHash>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace vrex {

namespace {

// Tags and attribute names are compared as written: qualifiedName() keeps a
// prefix that name() would drop even with namespace processing off, so
// "x:id" is not taken for "id".

// The next non-empty part of rest split at separator, or a null view when
// none is left; rest moves past it. Splitting this way drops empty parts as
// tokenize(..., Qt::SkipEmptyParts) does, without its per-part overhead.
QStringView nextPart(QStringView &rest, char16_t separator)
{
    qsizetype start = 0;
    while (start < rest.size() && rest[start] == separator)
        ++start;
    qsizetype end = start;
    while (end < rest.size() && rest[end] != separator)
        ++end;
    const QStringView part = start == end ? QStringView() : rest.sliced(start, end - start);
    rest = rest.sliced(end);
    return part;
}

// What a ref piece's key should have been, for a check's report.
void reportRefKey(ParseReport &report, QStringView ref, QStringView key)
{
    const QStringList known{QStringLiteral("device"), QStringLiteral("offset"), QStringLiteral("complex")};
    const bool blank = known.contains(key.trimmed().toString());
    report.report({blank ? ParseFinding::BlankInRefKey : ParseFinding::UnknownRefKey,
                   QStringLiteral("instance"), key.toString(), ref.toString(), known,
                   report.attributeValue(u"ref", key.data() - ref.data()), {}});
}

// applyRef, sharing complex type names through pool when there is one.
void readRef(QStringView ref, instanceInfo &info, StringPool *pool, ParseReport *report = nullptr)
{
    for (QStringView rest = ref;;) {
        QStringView piece = nextPart(rest, u',');
        if (piece.isNull())
            break;
        // Parts after the value are ignored.
        const QStringView key = nextPart(piece, u'=');
        const QStringView value = nextPart(piece, u'=');

        // 0 for anything toInt cannot convert, a missing value included.
        if (matches(key, u"device"))
            info.device = decimalValue(value);
        else if (matches(key, u"offset"))
            info.offset = decimalValue(value);
        else if (matches(key, u"complex"))
            info.complex = pool ? pool->intern(value) : value.toString();
        else if (report)
            reportRefKey(*report, ref, key);

        if (report && (matches(key, u"device") || matches(key, u"offset"))) {
            const qsizetype at = (value.isNull() ? key : value).data() - ref.data();
            report->checkNumber(QStringLiteral("instance"), key, value,
                                report->attributeValue(u"ref", at));
        }
    }
}

// One pool per field that repeats its values across instances.
struct InstancePools
{
    StringPool types;
    StringPool locations;
    StringPool complexTypes;
    StringPool groupIds;
};

// Reads the group children of a composite instance element; the reader is
// on the instance's start tag and ends on its end tag.
void readGroups(QXmlStreamReader &reader, QMap<QString, QString> &groups, StringPool &pool,
                ParseReport *report)
{
    QHash<QString, SourcePosition> seen; // checked only
    while (reader.readNextStartElement()) {
        if (matches(reader.qualifiedName(), u"group")) {
            if (report) {
                const SourcePosition at = report->element(reader);
                report->checkAttributes(reader, QStringLiteral("group"), {u"id", u"instance"});
                const QString id = reader.attributes().value(QLatin1String("id")).toString();
                if (seen.contains(id))
                    report->report({ParseFinding::DuplicateGroup, QStringLiteral("group"), {}, id, {},
                                    report->attribute(u"id"), seen.value(id)});
                else
                    seen.insert(id, at);
            }
            QStringView id;
            QStringView instance;
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute &attribute : attributes) {
                const QStringView name = attribute.qualifiedName();
                if (matches(name, u"id"))
                    id = attribute.value();
                else if (matches(name, u"instance"))
                    instance = attribute.value();
            }
            // insert() replaces: a later group with the same id wins.
            groups.insert(pool.intern(id), instance.toString());
        }
        reader.skipCurrentElement();
    }
}

// Fills record from the instance element the reader is on and leaves the
// reader on its end tag. Types, locations, complex types and group ids
// repeat across instances and go through pools; ids and alternative ids are
// one per instance.
void readInstance(QXmlStreamReader &reader, InstanceRecord &record, InstancePools &pools,
                  ParseReport *report)
{
    record.line = reader.lineNumber();
    instanceInfo &info = record.node.mapped();
    QStringView composite; // checked only
    if (report) {
        const SourcePosition at = report->element(reader);
        record.line = at.line;
        record.column = at.column;
        report->checkAttributes(reader, QStringLiteral("instance"),
                                {u"id", u"type", u"alt_id", u"location", u"composite", u"ref"});
    }

    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        const QStringView value = attribute.value();
        if (matches(name, u"id")) {
            record.node.key() = value.toString();
        } else if (matches(name, u"type")) {
            info.type = pools.types.intern(value);
        } else if (matches(name, u"alt_id")) {
            info.alt_id = value.toString();
        } else if (matches(name, u"location")) {
            info.location = pools.locations.intern(value);
        } else if (matches(name, u"composite")) {
            info.composite = matches(value, u"yes");
            composite = value;
        } else if (matches(name, u"ref")) {
            readRef(value, info, &pools.complexTypes, report);
        }
    }

    if (info.composite) {
        readGroups(reader, info.groups, pools.groupIds, report);
    } else if (report) {
        // Group children of an instance that is not composite are ignored.
        const SourcePosition at = report->attribute(u"composite"); // the tag when absent
        bool reported = false;
        while (reader.readNextStartElement()) {
            if (!reported && matches(reader.qualifiedName(), u"group")) {
                report->report({ParseFinding::CompositeNotYes, QStringLiteral("instance"),
                                QStringLiteral("composite"), composite.toString(), {QStringLiteral("yes")},
                                at, {}});
                reported = true;
            }
            reader.skipCurrentElement();
        }
    } else {
        reader.skipCurrentElement();
    }
}

// Bytes an instance element takes in a hand-written catalogue, with its
// attributes and indentation; a little less than the usual, so the guess
// errs on the side of room.
constexpr qsizetype kTypicalInstanceBytes = 128;

} // namespace

InstanceNode makeInstanceNode(const QString &id)
{
    // The standard library hands out nodes only from a tree; this one stays
    // empty and costs no allocation of its own.
    std::map<QString, instanceInfo> tree;
    return tree.extract(tree.try_emplace(id).first);
}

InstancesDocument parseInstances(const QByteArray &data, ParseObserver *observer)
{
    InstancesDocument document;
    DocumentReader reader(data);
    InstancePools pools;
    std::optional<ParseReport> report;
    if (observer)
        report.emplace(*observer, data);

    if (!readRootElement(reader)) {
        document.status = ParseStatus::NotWellFormed;
    } else if (reader.qualifiedName() == QLatin1String("instances")) {
        // Room for an instance per line of a typical catalogue, so a large
        // one is not copied over and over while it grows; denser files grow
        // the vector as usual.
        document.records.reserve(data.size() / kTypicalInstanceBytes);
        while (reader.readNextStartElement()) {
            InstanceRecord &record = document.records.emplace_back();
            // Each entry is allocated once, here, and later linked into the
            // registry as it is.
            record.node = makeInstanceNode();
            readInstance(reader, record, pools, report ? &*report : nullptr);
        }
    } else {
        document.status = ParseStatus::WrongRoot;
    }

    document.status = finishParse(reader, document.status, document.error);
    if (document.status != ParseStatus::Ok)
        document.records.clear();
    return document;
}

void applyRef(QStringView ref, instanceInfo &info)
{
    readRef(ref, info, nullptr);
}

namespace {

// A record's place in key order. The first eight characters of ids are
// packed into one number when they are all Latin-1, so that most
// comparisons while sorting never leave the sort array for the strings.
struct KeyOrder
{
    quint64 prefix = 0;
    bool packed = true;
    InstanceRecord *record = nullptr;

    explicit KeyOrder(InstanceRecord &r) : record(&r)
    {
        const QString &id = r.id();
        const qsizetype n = std::min<qsizetype>(id.size(), 8);
        const QChar *units = id.constData();
        for (qsizetype i = 0; i < 8; ++i) {
            const char16_t c = i < n ? units[i].unicode() : 0;
            packed &= c < 0x100;
            prefix = (prefix << 8) | (c & 0xff);
        }
    }

    // Same order as QString's operator<: packed prefixes that differ
    // differ within the first eight characters, where they order alike.
    friend bool operator<(const KeyOrder &a, const KeyOrder &b)
    {
        if (a.packed && b.packed && a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return a.record->id() < b.record->id();
    }
};

} // namespace

void mergeInstances(QMap<QString, instanceInfo> &registry, std::vector<InstanceRecord> records)
{
    // The nodes are linked in key order at the end of a tree of their own,
    // which is then spliced in: no search per insert (in a tree of 100,000
    // names each would miss the cache a dozen times), and neighbouring names
    // end up near each other in memory, which later lookups profit from.
    // The sort is stable, so of duplicates the last in the file still wins.
    std::vector<KeyOrder> order(records.begin(), records.end());
    std::stable_sort(order.begin(), order.end());
    std::map<QString, instanceInfo> loaded;
    for (const KeyOrder &entry : order) {
        InstanceNode &node = entry.record->node;
        const auto at = loaded.insert(loaded.end(), std::move(node));
        if (!node.empty()) // a duplicate: the node stayed with the record
            at->second = node.mapped();
    }
    registry.insert(QMap<QString, instanceInfo>(std::move(loaded))); // the file's entries win
}

} // namespace vrex
