// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "instance_lookup/instances_parser.h"

#include "instance_lookup/instances_format.h"
#include "xml/attribute_text.h"
#include "xml/format_observer.h"
#include "xml/string_pool.h"

#include <algorithm>
#include <cstring>

namespace vrex {

using xml::matches;
namespace fmt = instances_format;

namespace {

// The next non-empty part of rest split at separator, or a null view when
// none is left; rest moves past it. Empty parts are dropped.
QByteArrayView nextPart(QByteArrayView &rest, char separator)
{
    qsizetype start = 0;
    while (start < rest.size() && rest[start] == separator)
        ++start;
    qsizetype end = start;
    while (end < rest.size() && rest[end] != separator)
        ++end;
    const QByteArrayView part = start == end ? QByteArrayView() : rest.sliced(start, end - start);
    rest = rest.sliced(end);
    return part;
}

template<size_t N>
bool sameBytes(QByteArrayView view, const char (&literal)[N])
{
    return view.size() == qsizetype(N - 1) && std::memcmp(view.data(), literal, N - 1) == 0;
}

bool isRefKey(QByteArrayView key)
{
    return sameBytes(key, fmt::kRefDevice) || sameBytes(key, fmt::kRefOffset) || sameBytes(key, fmt::kRefComplex);
}

// Tells observer what a ref piece reads other than it seems to say; seen
// holds a bit per known key already given in this ref.
void noticeRefPiece(FormatObserver &observer, const xml::Element &element, QByteArrayView key,
                    QByteArrayView value, unsigned &seen)
{
    using Notice = FormatObserver::Notice;
    const bool number = sameBytes(key, fmt::kRefDevice) || sameBytes(key, fmt::kRefOffset);
    if (number) {
        if (!decimalConverts(value))
            observer.notice(RecordRole::Instance, element, Notice::NotANumber, key, value);
        else if (decimalValue(value) < 0)
            observer.notice(RecordRole::Instance, element, Notice::NegativeNumber, key, value);
    } else if (!sameBytes(key, fmt::kRefComplex)) {
        const bool blanks = isRefKey(key.trimmed());
        observer.notice(RecordRole::Instance, element,
                        blanks ? Notice::BlankAroundRefKey : Notice::UnknownRefKey, key, value);
        return;
    }
    const unsigned bit = sameBytes(key, fmt::kRefDevice) ? 1u : sameBytes(key, fmt::kRefOffset) ? 2u : 4u;
    if (seen & bit)
        observer.notice(RecordRole::Instance, element, Notice::RepeatedRefKey, key, value);
    seen |= bit;
}

// applyRef, sharing complex type names through pool when there is one.
void readRef(QByteArrayView ref, instanceInfo &info, StringPool *pool,
             FormatObserver *observer = nullptr, const xml::Element *element = nullptr)
{
    unsigned seen = 0;
    for (QByteArrayView rest = ref;;) {
        QByteArrayView piece = nextPart(rest, fmt::kRefSeparator);
        if (piece.isNull())
            break;
        // Parts after the value are ignored.
        const QByteArrayView key = nextPart(piece, fmt::kRefAssign);
        const QByteArrayView value = nextPart(piece, fmt::kRefAssign);
        if (observer)
            noticeRefPiece(*observer, *element, key, value, seen);

        // 0 for anything toInt cannot convert, a missing value included.
        if (sameBytes(key, fmt::kRefDevice))
            info.device = decimalValue(value);
        else if (sameBytes(key, fmt::kRefOffset))
            info.offset = decimalValue(value);
        else if (sameBytes(key, fmt::kRefComplex))
            info.complex = value.isNull() ? QString() // "complex" without a value
                                           : pool ? pool->intern(value) : attributeText(value);
    }
}

// Bytes an instance element takes in a hand-written catalogue, with its
// attributes and indentation; a little less than the usual, so the guess
// errs on the side of room.
constexpr qsizetype kTypicalInstanceBytes = 128;
constexpr qint64 kMaxReservedInstances = xml::kMaxDocumentBytes / kTypicalInstanceBytes;

class InstancesHandler final : public ObservedElementHandler
{
public:
    InstancesHandler(InstancesDocument &document, const ParseOptions &options)
        : ObservedElementHandler(options.observer), m_records(document.records), m_document(document), m_options(options)
    {
    }

    void expectBytes(qint64 size) override
    {
        // Room for an instance per line of a typical catalogue, so a large
        // one is not copied over and over while it grows; capped, since the
        // size is only what the file claims (a sparse file claims anything).
        m_records.reserve(size_t(qBound(qint64(0), size / kTypicalInstanceBytes, kMaxReservedInstances)));
    }

    void startElement(const xml::Element &element) override
    {
        if (element.depth() == 1)
            readInstance(element);
        else if (element.depth() == 2 && matches(element.name(), fmt::kGroup))
            readGroupOf(element, m_records.back());
        else if (m_options.observer)
            noticeUnread(element);
    }

private:
    // Types, locations, complex types and group ids repeat across
    // instances and go through pools; ids and alternative ids are one per
    // instance.
    void readInstance(const xml::Element &element)
    {
        InstanceRecord &record = m_records.emplace_back();
        m_groupsNoticed = false;
        // Each entry is allocated once, here, and later linked into the
        // registry as it is.
        record.node = makeInstanceNode();
        if (m_options.positions)
            m_document.at.push_back(element.position());
        if (m_options.observer)
            m_options.observer->element(RecordRole::Instance, element);
        instanceInfo &info = record.node.mapped();
        for (const auto &attribute : element.attributes()) {
            const char *name = attribute.name();
            const char *value = attribute.value();
            bool known = true;
            if (matches(name, fmt::kId))
                record.node.key() = attributeText(value);
            else if (matches(name, fmt::kType))
                info.type = m_types.intern(value);
            else if (matches(name, fmt::kAltId))
                info.alt_id = attributeText(value);
            else if (matches(name, fmt::kLocation))
                info.location = m_locations.intern(value);
            else if (matches(name, fmt::kComposite))
                info.composite = matches(value, fmt::kCompositeYes);
            else if (matches(name, fmt::kRef))
                readRef(value, info, &m_complexTypes, m_options.observer, &element);
            else
                known = false;
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Instance, element, name, value, known);
        }
    }

    // Only observed: the children of an instance that are no group, and of
    // a group that is read; whatever lies deeper was told with them.
    void noticeUnread(const xml::Element &element)
    {
        if (element.depth() == 2) {
            m_inReadGroup = false;
            m_options.observer->unreadElement(RecordRole::Instance, element);
        } else if (element.depth() == 3 && m_inReadGroup) {
            m_options.observer->unreadElement(RecordRole::Group, element);
        }
    }

    void readGroupOf(const xml::Element &element, InstanceRecord &record)
    {
        m_inReadGroup = record.info().composite;
        if (record.info().composite) {
            readGroup(element, record);
        } else if (m_options.observer && !m_groupsNoticed) {
            // Once per instance: the composite attribute is the one mistake.
            m_groupsNoticed = true;
            m_options.observer->notice(RecordRole::Group, element,
                                       FormatObserver::Notice::GroupsIgnored, {}, {});
        }
    }

    // A later group with the same id wins.
    void readGroup(const xml::Element &element, InstanceRecord &record)
    {
        if (m_options.observer)
            m_options.observer->element(RecordRole::Group, element);
        QString id;
        QString instance;
        for (const auto &attribute : element.attributes()) {
            const char *name = attribute.name();
            bool known = true;
            if (matches(name, fmt::kGroupId))
                id = m_groupIds.intern(attribute.value());
            else if (matches(name, fmt::kGroupInstance))
                instance = attributeText(attribute.value());
            else
                known = false;
            if (m_options.observer)
                m_options.observer->attribute(RecordRole::Group, element, name, attribute.value(), known);
        }
        if (m_options.positions)
            m_document.groupsAt.push_back({m_records.size() - 1, id, element.position()});
        record.node.mapped().groups.insert(id, instance);
    }

    std::vector<InstanceRecord> &m_records;
    InstancesDocument &m_document;
    const ParseOptions &m_options;
    StringPool m_types;
    StringPool m_locations;
    StringPool m_complexTypes;
    StringPool m_groupIds;
    bool m_groupsNoticed = false;
    bool m_inReadGroup = false;
};

} // namespace

InstanceNode makeInstanceNode(const QString &id)
{
    // The standard library hands out nodes only from a tree; this one stays
    // empty and costs no allocation of its own.
    std::map<QString, instanceInfo> tree;
    return tree.extract(tree.try_emplace(id).first);
}

InstancesDocument parseInstances(const xml::Source &source, const ParseOptions &options)
{
    InstancesDocument document;
    InstancesHandler handler(document, options);
    document.result = xml::readDocument(source, {fmt::kRoot, false, options.observer ? kObservedDepth : 2}, handler);
    if (document.result.status != xml::Status::Ok) {
        document.records.clear();
        document.at.clear();
        document.groupsAt.clear();
    }
    return document;
}

void applyRef(QByteArrayView ref, instanceInfo &info)
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
