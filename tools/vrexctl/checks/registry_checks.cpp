// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "checks/registry_checks.h"

#include "checks/name_suggestion.h"

#include "instance_lookup/device_type_key.h"
#include "instance_lookup/devicetype_format.h"
#include "instance_lookup/instances_format.h"
#include "instance_lookup/lookup_step.h"
#include "output/quoting.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QVarLengthArray>

#include <algorithm>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace vrexctl {

namespace {

// "instance 'cam2 ' (its id ends in a blank)": blanks around a name are
// part of it and easily missed.
QString shown(const QString &kind, const QString &name)
{
    const QString blanks = blanksAround(name);
    return kind + QLatin1Char(' ') + quoted(name) + (blanks.isEmpty() ? QString() : QStringLiteral(" (which ") + blanks + QLatin1Char(')'));
}

// "2 (generic)": a driver type code with its word.
QString driverTypeText(int code)
{
    for (const vrex::devicetype_format::DriverType &type : vrex::devicetype_format::kDriverTypes) {
        if (type.code == code)
            return QStringLiteral("%1 (%2)").arg(code).arg(QLatin1String(type.word));
    }
    return QString::number(code);
}

// A type file that looks like a copy or a backup of another.
bool looksLikeCopy(const QString &base)
{
    static const QRegularExpression copy(
            QStringLiteral(R"((^copy of )|[ ()~.]|[_-](copy|old|bak|backup|orig|save|tmp|temp)\d*$)"),
            QRegularExpression::CaseInsensitiveOption);
    return copy.match(base).hasMatch();
}

// Where a host addresses an instance's equipment.
struct Address
{
    int drivertype, device, offset;
    friend bool operator==(const Address &a, const Address &b)
    {
        return a.drivertype == b.drivertype && a.device == b.device && a.offset == b.offset;
    }
    friend size_t qHash(const Address &a, size_t seed = 0) { return qHashMulti(seed, a.drivertype, a.device, a.offset); }
};

// Whatever suggestions need, kept alive by the findings that suggest.
struct SuggestionSource
{
    explicit SuggestionSource(const vrex::Catalogue &c) : catalogue(c) { }

    const NameIndex &instanceNames()
    {
        if (!instances)
            instances.emplace(NameIndex::ofKeys(catalogue.instances));
        return *instances;
    }
    const deviceTypeInfo *typeOf(const QString &instance) const
    {
        const auto found = catalogue.instances.constFind(instance);
        if (found == catalogue.instances.constEnd())
            return nullptr;
        const auto type = vrex::findDeviceType(catalogue.deviceTypes, found->type);
        return type == catalogue.deviceTypes.constEnd() ? nullptr : &*type;
    }

    const vrex::Catalogue catalogue;
    std::optional<NameIndex> instances;
};

class RegistryCheck
{
public:
    RegistryCheck(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings,
                  RegistryScope *scope)
        : m_catalogue(catalogue),
          m_index(index),
          m_findings(findings),
          m_scope(scope),
          m_suggestions(std::make_shared<SuggestionSource>(catalogue))
    {
    }

    void run()
    {
        // Searching a map of many instances costs a cache miss per level:
        // every name is hashed once instead.
        m_byName.reserve(instances.size());
        for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
            m_byName.insert(QStringView(it.key()), it);
            for (QChar c : it.key()) {
                if (c.unicode() >= 0x80 || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))) {
                    m_cased.append(&it.key()); // a letter-case fold changes it
                    break;
                }
            }
        }
        checkInstances();
        checkDeviceTypes();
        checkComplexTypes();
    }

private:
    using Suggest = std::function<QStringList()>;

    struct Hop
    {
        const QString *instance;
        const QString *parameter;
        const QString *complex; // the instance's
        const complexParam *redirection;
    };

    const vrex::Catalogue m_catalogue;
    const vrex::InstanceRegistry &instances = m_catalogue.instances;
    const vrex::DeviceTypeRegistry &deviceTypes = m_catalogue.deviceTypes;
    const vrex::ComplexTypeRegistry &complexTypes = m_catalogue.complexTypes;
    const DefinitionIndex &m_index;
    FindingList &m_findings;
    RegistryScope *const m_scope;
    std::shared_ptr<SuggestionSource> m_suggestions;

    // Whether the scope covers an entry; what follows until the next ask
    // is the entry's.
    bool covers(bool (RegistryScope::*asks)(const QString &), const QString &name)
    {
        return !m_scope || (m_scope->*asks)(name);
    }

    // Instances spell a few device type names over and over, each spelling
    // one pooled string: looked up once per string.
    QHash<const QChar *, vrex::DeviceTypeRegistry::const_iterator> m_typeBySpelling;
    QHash<const QChar *, vrex::ComplexTypeRegistry::const_iterator> m_complexBySpelling;
    QSet<const deviceTypeInfo *> m_usedTypes;
    QHash<const deviceTypeInfo *, qsizetype> m_slotZero; // parameters with slot 0 per type
    // Per complex type: the instances that name it and have a parameter it
    // would redirect, and how many of them are its members.
    QHash<const complexType *, qsizetype> m_naming;
    QHash<const complexType *, qsizetype> m_namingMembers;
    // Every redirection followed so far, with the walk that followed it
    // (from 1): one that comes back in its own walk closes a cycle.
    QHash<const complexParam *, quint32> m_followed;
    quint32 m_walk = 0;
    quint32 m_seenInWalk = 0;
    std::vector<Hop> m_path;
    QList<const QString *> m_cased; // instance names a letter-case fold changes

    // False when redirection was followed before (by walk m_seenInWalk).
    bool markFollowed(const complexParam *redirection)
    {
        quint32 &walk = m_followed[redirection];
        m_seenInWalk = walk;
        if (walk != 0)
            return false;
        walk = m_walk;
        return true;
    }
    QHash<QStringView, vrex::InstanceRegistry::const_iterator> m_byName;

    vrex::InstanceRegistry::const_iterator findInstance(const QString &name) const
    {
        return m_byName.value(QStringView(name), instances.cend());
    }
    bool isInstance(const QString &name) const { return m_byName.contains(QStringView(name)); }

    static Subject instanceAt(const QString &name) { return {Subject::Instance, name, {}, {}}; }
    static Subject parameterAt(const QString &key, const QString &name) { return {Subject::Parameter, key, name, {}}; }
    static Subject memberAt(const QString &type, const QString &name) { return {Subject::Member, type, name, {}}; }
    static Subject redirectionAt(const QString &type, const QString &member, const QString &id)
    {
        return {Subject::Redirection, type, member, id};
    }

    void add(const Subject &subject, Finding::Severity severity, const char *code, const QString &message,
             Suggest suggest = {}, const QList<RelatedPlace> &related = {})
    {
        Finding finding;
        finding.subject = subject;
        finding.severity = severity;
        finding.code = QLatin1String(code);
        finding.message = message;
        finding.suggest = std::move(suggest);
        finding.related = related;
        m_findings.add(std::move(finding));
    }

    vrex::DeviceTypeRegistry::const_iterator typeIterator(const QString &type)
    {
        const auto known = m_typeBySpelling.constFind(type.constData());
        if (known != m_typeBySpelling.constEnd())
            return *known;
        const auto found = vrex::findDeviceType(deviceTypes, type);
        m_typeBySpelling.insert(type.constData(), found);
        return found;
    }
    const deviceTypeInfo *typeOf(const QString &type)
    {
        const auto found = typeIterator(type);
        return found == deviceTypes.cend() ? nullptr : &*found;
    }
    vrex::ComplexTypeRegistry::const_iterator complexOf(const QString &complex)
    {
        const auto known = m_complexBySpelling.constFind(complex.constData());
        if (known != m_complexBySpelling.constEnd())
            return *known;
        const auto found = complexTypes.constFind(complex);
        m_complexBySpelling.insert(complex.constData(), found);
        return found;
    }
    // How many parameters of a type have slot 0: the ones a member of a
    // complex type must redirect.
    qsizetype slotZeroCount(const deviceTypeInfo *type)
    {
        const auto known = m_slotZero.constFind(type);
        if (known != m_slotZero.constEnd())
            return *known;
        const qsizetype count = std::count_if(type->params.cbegin(), type->params.cend(),
                                              [](const paramInfo &param) { return param.slot == 0; });
        m_slotZero.insert(type, count);
        return count;
    }
    bool hasSlotZeroCached(const deviceTypeInfo *type) { return slotZeroCount(type) > 0; }

    // Instances: what they name, where they sit, how they are spelt.
    void checkInstances()
    {
        // Sorted rather than hashed: a hash of every instance misses the
        // cache on each insert.
        std::vector<std::pair<Address, const QString *>> addresses;
        addresses.reserve(size_t(instances.size()));
        for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
            const QString &name = it.key();
            const instanceInfo &info = *it;
            // What is learnt of every instance; what is said, of those covered.
            const bool covered = covers(&RegistryScope::coversInstance, name);
            const deviceTypeInfo *type = info.type.isEmpty() ? nullptr : typeOf(info.type);
            if (!type && !info.type.isEmpty()) {
                if (covered && !m_findings.fold(deviceTypesDirectoryCause()))
                    unknownDeviceType(name, info.type);
            } else if (type) {
                m_usedTypes.insert(type);
            }
            if (!info.groups.isEmpty() && covered)
                checkGroups(name, info);
            if (!info.complex.isEmpty()) {
                const auto complex = complexOf(info.complex);
                if (complex == complexTypes.constEnd()) {
                    if (covered && !m_findings.fold(complexTypesDirectoryCause()))
                        unknownComplexType(name, info.complex);
                } else if (type && hasSlotZeroCached(type)) {
                    ++m_naming[&*complex]; // its members are checked with the complex type
                } else {
                    m_naming[&*complex]; // used all the same
                }
            }
            // Device 0, offset 0 is also what an instance without its ref
            // reads: said where the ref is mistaken, not as a clash.
            if (type && type->drivertype != 0 && !info.composite && (info.device != 0 || info.offset != 0))
                addresses.push_back({{type->drivertype, info.device, info.offset}, &name});
        }
        // Stable: of instances on one address the first in key order comes first.
        std::stable_sort(addresses.begin(), addresses.end(), [](const auto &a, const auto &b) {
            if (a.first.device != b.first.device)
                return a.first.device < b.first.device;
            if (a.first.offset != b.first.offset)
                return a.first.offset < b.first.offset;
            return a.first.drivertype < b.first.drivertype;
        });
        for (size_t i = 1, first = 0; i < addresses.size(); ++i) {
            if (!(addresses[i].first == addresses[first].first))
                first = i;
            else if (covers(&RegistryScope::coversInstance, *addresses[i].second))
                addressClash(*addresses[first].second, *addresses[i].second, addresses[i].first);
        }
        reportCaseClashes(
                m_cased, [this](const QString &folded) { return isInstance(folded); },
                [](const QString &name) { return instanceAt(name); }, QStringLiteral("instance"),
                QStringLiteral("a host that asks for one never gets the other"),
                [this](const QString &name) { return covers(&RegistryScope::coversInstance, name); });
    }

    void unknownDeviceType(const QString &name, const QString &type)
    {
        add(instanceAt(name), Finding::Error, "unknown-device-type",
            QStringLiteral("instance %1 names %2, which has no device-type file")
                    .arg(quoted(name), shown(QStringLiteral("device type"), type)),
            [source = m_suggestions, key = vrex::deviceTypeKey(type)] {
                return suggestKeys(key, source->catalogue.deviceTypes);
            });
    }

    void unknownComplexType(const QString &name, const QString &complex)
    {
        // A complex type that has the instance as a member fits best.
        add(instanceAt(name), Finding::Error, "unknown-complex-type",
            QStringLiteral("instance %1 names %2, which has no complex-type file")
                    .arg(quoted(name), shown(QStringLiteral("complex type"), complex)),
            [source = m_suggestions, name, complex] {
                const vrex::ComplexTypeRegistry &types = source->catalogue.complexTypes;
                return suggestKeys(complex, types, [&](const QString &type) {
                    return types.value(type).members.contains(name);
                });
            });
    }

    void checkGroups(const QString &name, const instanceInfo &info)
    {
        for (auto group = info.groups.cbegin(); group != info.groups.cend(); ++group) {
            const QString &target = group.value();
            if (target.isEmpty() || isInstance(target)) // an empty one is the lint's
                continue;
            add({Subject::Group, name, group.key(), {}}, Finding::Error, "unknown-instance",
                QStringLiteral("group %1 of instance %2 names %3, which is not in the instances file")
                        .arg(quoted(group.key()), quoted(name), shown(QStringLiteral("instance"), target)),
                [source = m_suggestions, target, name] {
                    return source->instanceNames().suggest(target, {}, [&](const QString &candidate) {
                        return candidate == name; // a composite is no group of itself
                    });
                });
        }
    }

    void addressClash(const QString &first, const QString &name, const Address &address)
    {
        add(instanceAt(name), Finding::Warning, "address-clash",
            QStringLiteral("instances %1 and %2 both have device %3 and offset %4 on driver type %5; a host "
                           "addresses the same equipment for both")
                    .arg(quoted(name), quoted(first))
                    .arg(address.device)
                    .arg(address.offset)
                    .arg(driverTypeText(address.drivertype)),
            {}, {{{}, QStringLiteral("%1 has the same address").arg(quoted(first)), instanceAt(first)}});
    }

    // Names in cased (the ones a fold changes) that fold to the same name as
    // another: each reported once, at the later in key order.
    // enter: whether the finding about a name is to be said (the scope).
    template<typename Exists, typename SubjectOf>
    void reportCaseClashes(const QList<const QString *> &cased, Exists exists, SubjectOf subjectOf, const QString &kind,
                           const QString &consequence,
                           const std::function<bool(const QString &)> &enter = [](const QString &) { return true; })
    {
        QHash<QString, QString> byFold; // the first name of each fold
        for (const QString *name : cased) {
            const QString folded = name->toLower();
            auto first = byFold.constFind(folded);
            if (first == byFold.constEnd()) {
                const bool lowerExists = folded != *name && exists(folded);
                first = byFold.insert(folded, lowerExists ? folded : *name);
                if (!lowerExists)
                    continue;
            }
            const QString other = *first;
            if (!enter(*name))
                continue;
            add(subjectOf(*name), Finding::Warning, "case-clash",
                QStringLiteral("%1 %2 differs from %3 only in letter case; the library keeps both, and %4")
                        .arg(kind, quoted(*name), quoted(other), consequence),
                {}, {{{}, QStringLiteral("%1 is defined here").arg(quoted(other)), subjectOf(other)}});
        }
    }

    // Device types: two parameters on one slot, names that differ only in
    // case, and type files no instance uses that look like left-behind
    // copies.
    void checkDeviceTypes()
    {
        for (auto type = deviceTypes.cbegin(); type != deviceTypes.cend(); ++type) {
            const QString &key = type.key();
            if (!covers(&RegistryScope::coversDeviceType, key))
                continue;
            QHash<int, const QString *> bySlot;
            QList<const QString *> cased;
            for (auto param = type->params.cbegin(); param != type->params.cend(); ++param) {
                if (param->slot != 0) {
                    const QString *&first = bySlot[param->slot];
                    if (first) {
                        add(parameterAt(key, param.key()), Finding::Warning, "slot-clash",
                            QStringLiteral("parameters %1 and %2 of device type %3 both have slot %4; a host "
                                           "addresses the same slot for both")
                                    .arg(quoted(param.key()), quoted(*first), quoted(key))
                                    .arg(param->slot),
                            {}, {{{}, QStringLiteral("%1 has the same slot").arg(quoted(*first)), parameterAt(key, *first)}});
                    } else {
                        first = &param.key();
                    }
                }
                if (param.key() != param.key().toLower())
                    cased.append(&param.key());
            }
            reportCaseClashes(cased, [&](const QString &folded) { return type->params.contains(folded); },
                              [&](const QString &name) { return parameterAt(key, name); },
                              QStringLiteral("parameter"), QStringLiteral("a redirection must name it exactly"));
            if (!m_usedTypes.contains(&*type))
                strayFile(m_index.deviceTypes.value(key).path, QStringLiteral("device type"), key, QStringLiteral("uses"));
        }
    }

    void strayFile(const QString &path, const QString &kind, const QString &name, const QString &verb)
    {
        const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        if (path.isEmpty() || !looksLikeCopy(fileName.chopped(4)))
            return;
        Finding stray;
        stray.place = {path, 0, 0};
        stray.severity = Finding::Warning;
        stray.code = QStringLiteral("stray-type-file");
        stray.message = QStringLiteral("%1 is read as %2 %3, which no instance %4; a copy left behind? The library "
                                       "reads only files named after a type")
                                .arg(quoted(fileName), kind, quoted(name), verb);
        m_findings.add(stray);
    }

    // Complex types: members that are no instance or whose instance names
    // another type; of each member in use, its redirections against its
    // device type's parameters (both in key order, so side by side): the
    // slot-0 parameters it does not redirect, the redirections of no such
    // parameter, and the chain each redirection starts.
    void checkComplexTypes()
    {
        for (auto type = complexTypes.cbegin(); type != complexTypes.cend(); ++type) {
            const QString &typeName = type.key();
            const bool covered = covers(&RegistryScope::coversComplexType, typeName);
            if (covered && !m_naming.contains(&*type))
                strayFile(m_index.complexTypes.value(typeName).path, QStringLiteral("complex type"), typeName,
                          QStringLiteral("names"));
            QList<const QString *> cased;
            bool inType = true; // what is said now is the type's
            for (auto member = type->members.cbegin(); member != type->members.cend(); ++member) {
                if (!inType)
                    inType = covers(&RegistryScope::coversComplexType, typeName);
                if (member.key() != member.key().toLower())
                    cased.append(&member.key());
                const auto found = findInstance(member.key());
                if (found == instances.cend()) {
                    if (covered && !m_findings.fold(instancesCause()))
                        unknownMember(typeName, member.key());
                    continue;
                }
                if (found->complex != typeName) {
                    if (covered)
                        unusedMember(typeName, member.key(), found->complex);
                    continue;
                }
                const auto memberType = found->type.isEmpty() ? deviceTypes.cend() : typeIterator(found->type);
                if (memberType == deviceTypes.cend())
                    continue; // reported with the instance
                if (hasSlotZeroCached(&*memberType))
                    ++m_namingMembers[&*type];
                inType = !checkMember(type, member, memberType, covered);
            }
            if (!inType)
                covers(&RegistryScope::coversComplexType, typeName);
            if (covered) {
                reportCaseClashes(cased, [&](const QString &folded) { return type->members.contains(folded); },
                                  [&](const QString &name) { return memberAt(typeName, name); },
                                  QStringLiteral("member"), QStringLiteral("only the one spelt as its instance is used"));
            }
            // Instances that name the type but are no member of it.
            if (m_naming.value(&*type) != m_namingMembers.value(&*type)
                && !m_findings.fold(complexTypeCause(typeName))) {
                for (auto it = instances.cbegin(); it != instances.cend(); ++it) {
                    const deviceTypeInfo *itType = it->complex == typeName ? typeOf(it->type) : nullptr;
                    if (itType && !type->members.contains(it.key()) && hasSlotZeroCached(itType)
                        && covers(&RegistryScope::coversInstance, it.key()))
                        noMember(it, *itType, type);
                }
            }
        }
    }

    // A member's redirections against its device type's parameters: first
    // what belongs to the complex type (ids that are no parameter or have a
    // slot of their own), then, as the member instance's, the chains its
    // slot-0 redirections start and the slot-0 parameters it does not
    // redirect. True when the instance's part was entered.
    bool checkMember(vrex::ComplexTypeRegistry::const_iterator type,
                     QMap<QString, complexInstance>::const_iterator member,
                     vrex::DeviceTypeRegistry::const_iterator memberType, bool covered)
    {
        const QMap<QString, paramInfo> &params = memberType->params;
        QVarLengthArray<const complexParam *, 8> chains;
        QVarLengthArray<const QString *, 8> chainIds;
        for (auto redirection = member->params.cbegin(); redirection != member->params.cend(); ++redirection) {
            const auto own = params.constFind(redirection.key());
            if (own != params.cend() && own->slot == 0) {
                chains.append(&*redirection);
                chainIds.append(&redirection.key());
            } else if (!covered) {
                continue;
            } else if (own == params.cend()) {
                unknownRedirectionId(type, member, memberType, redirection.key());
            } else {
                unusedRedirection(type.key(), member.key(), memberType.key(), own.key(), own->slot);
            }
        }
        const bool missing = chains.size() != slotZeroCount(&*memberType);
        if ((chains.isEmpty() && !missing) || !covers(&RegistryScope::coversInstance, member.key()))
            return false;
        for (qsizetype i = 0; i < chains.size(); ++i)
            follow({&member.key(), chainIds[i], &type.key(), chains[i]});
        // Fewer redirected than there are: find the ones left out.
        if (missing && !m_findings.fold(complexTypeCause(type.key()))) {
            for (auto own = params.cbegin(); own != params.cend(); ++own) {
                if (own->slot == 0 && !member->params.contains(own.key()))
                    missingRedirection(type, member.key(), memberType.key(), own.key());
            }
        }
        return true;
    }

    void missingRedirection(vrex::ComplexTypeRegistry::const_iterator type, const QString &name, const QString &typeKey,
                            const QString &param)
    {
        add(instanceAt(name), Finding::Error, "missing-redirection",
            QStringLiteral("%1 has slot 0 and member %2 of complex type %3 does not redirect it; its lookup fails")
                    .arg(quoted(name + QLatin1Char('.') + param), quoted(name), quoted(type.key())),
            {},
            {{{}, QStringLiteral("slot 0 is set here"), parameterAt(typeKey, param)},
             {{}, QStringLiteral("member %1 is defined here").arg(quoted(name)), memberAt(type.key(), name)}});
    }

    void noMember(vrex::InstanceRegistry::const_iterator it, const deviceTypeInfo &type,
                  vrex::ComplexTypeRegistry::const_iterator complex)
    {
        QStringList unredirected;
        for (auto param = type.params.cbegin(); param != type.params.cend(); ++param) {
            if (param->slot == 0)
                unredirected.append(param.key());
        }
        const QString &name = it.key();
        add(instanceAt(name), Finding::Error, "missing-redirection",
            QStringLiteral("instance %1 names complex type %2, which has no member %1; its slot-0 parameters (%3) "
                           "are not redirected and their lookups fail")
                    .arg(quoted(name), quoted(complex.key()), unredirected.join(QStringLiteral(", "))),
            [source = m_suggestions, name, complexName = complex.key()] {
                // A member that is no instance naming the type may be
                // this one misspelt; one that is belongs to another.
                const vrex::InstanceRegistry &all = source->catalogue.instances;
                return suggestKeys(name, source->catalogue.complexTypes.value(complexName).members, {},
                                   [&](const QString &member) {
                                       const auto instance = all.constFind(member);
                                       return instance != all.constEnd() && instance->complex == complexName;
                                   });
            });
    }

    void unknownMember(const QString &type, const QString &name)
    {
        // Instances that name this type and are no member yet fit; members
        // cannot be meant, a member is defined once.
        add(memberAt(type, name), Finding::Warning, "unknown-member",
            QStringLiteral("member %1 of complex type %2 is no instance; its redirections are never used")
                    .arg(quoted(name), quoted(type)) + blanksNote(name),
            [source = m_suggestions, type, name] {
                const complexType members = source->catalogue.complexTypes.value(type);
                const vrex::InstanceRegistry &all = source->catalogue.instances;
                return source->instanceNames().suggest(
                        name,
                        [&](const QString &candidate) {
                            const auto instance = all.constFind(candidate);
                            return instance != all.constEnd() && instance->complex == type;
                        },
                        [&](const QString &candidate) { return members.members.contains(candidate); });
            });
    }

    static QString blanksNote(const QString &name)
    {
        const QString blanks = blanksAround(name);
        return blanks.isEmpty() ? QString() : QStringLiteral(" (the name %1)").arg(blanks);
    }

    void unusedMember(const QString &type, const QString &name, const QString &named)
    {
        add(memberAt(type, name), Finding::Warning, "unused-member",
            named.isEmpty()
                    ? QStringLiteral("member %1 of complex type %2 is never used: instance %1 names no complex type; "
                                     "add %3=%4 to its %5")
                              .arg(quoted(name), quoted(type), QLatin1String(vrex::instances_format::kRefComplex),
                                   type, QLatin1String(vrex::instances_format::kRef))
                    : QStringLiteral("member %1 of complex type %2 is never used: instance %1 names complex type %3")
                              .arg(quoted(name), quoted(type), quoted(named)),
            {}, {{{}, QStringLiteral("instance %1 is defined here").arg(quoted(name)), instanceAt(name)}});
    }

    void unknownRedirectionId(vrex::ComplexTypeRegistry::const_iterator type,
                              QMap<QString, complexInstance>::const_iterator member,
                              vrex::DeviceTypeRegistry::const_iterator memberType, const QString &id)
    {
        if (m_findings.fold(deviceTypeCause(memberType.key())))
            return;
        // Slot-0 parameters the member does not redirect yet fit.
        add(redirectionAt(type.key(), member.key(), id), Finding::Warning, "unknown-redirection-id",
            QStringLiteral("redirection %1 is no parameter of device type %2 (of member %3); it is never used")
                    .arg(quoted(id), quoted(memberType.key()), quoted(member.key())),
            [source = m_suggestions, id, params = memberType->params, redirected = member->params] {
                return suggestKeys(id, params, [&](const QString &name) {
                    return params.value(name).slot == 0 && !redirected.contains(name);
                });
            });
    }

    void unusedRedirection(const QString &type, const QString &member, const QString &typeKey, const QString &id,
                           int slot)
    {
        add(redirectionAt(type, member, id), Finding::Warning, "unused-redirection",
            QStringLiteral("redirection %1 of member %2 is never used: %1 has slot %3 in device type %4, and only "
                           "parameters with slot 0 are redirected")
                    .arg(quoted(id), quoted(member))
                    .arg(slot)
                    .arg(quoted(typeKey)),
            {}, {{{}, QStringLiteral("slot %1 is set here").arg(slot), parameterAt(typeKey, id)}});
    }

    void unknownTarget(const Hop &last)
    {
        const QString &target = last.redirection->device;
        if (target.isEmpty() || m_findings.fold(instancesCause()))
            return; // an empty one is the lint's
        // Instances whose device type has the parameter asked for fit.
        add(redirectionOf(last), Finding::Error, "unknown-instance",
            QStringLiteral("redirection %1 of member %2 names %3, which is not in the instances file")
                    .arg(quoted(*last.parameter), quoted(*last.instance), shown(QStringLiteral("instance"), target)),
            [source = m_suggestions, target, wanted = last.redirection->param] {
                return source->instanceNames().suggest(target, [&](const QString &candidate) {
                    const deviceTypeInfo *candidateType = source->typeOf(candidate);
                    return candidateType && candidateType->params.contains(wanted);
                });
            });
    }

    Subject redirectionOf(const Hop &hop) const { return redirectionAt(*hop.complex, *hop.instance, *hop.parameter); }
    static QString textOf(const Hop &hop) { return *hop.instance + QLatin1Char('.') + *hop.parameter; }

    // Follows a chain from its first redirection with the library's own
    // lookup step, until it resolves, breaks, comes back to a redirection
    // of this walk (a cycle: the library's criterion, whose trail of
    // visited steps is kept here across walks) or reaches one an earlier
    // walk followed. Each redirection is followed once, so all chains
    // together take linear time.
    void follow(Hop first)
    {
        ++m_walk;
        if (!markFollowed(first.redirection))
            return;
        std::vector<Hop> &path = m_path; // reused: most walks are a hop or two
        path.assign(1, first);
        for (;;) {
            const Hop &last = path.back();
            const QString &target = last.redirection->device;
            const QString &targetParam = last.redirection->param;
            if (targetParam.isEmpty())
                return; // the target's numbers, with slot 0: the lint says so
            const auto instance = findInstance(target);
            const vrex::LookupStep step = vrex::lookupStepAt(
                    m_catalogue, instance, instance == instances.cend() ? deviceTypes.cend() : typeIterator(instance->type),
                    targetParam);
            switch (step.stop) {
            case vrex::LookupStep::Redirected:
                if (!markFollowed(step.redirection)) {
                    // Followed in this walk: the chain comes back to a step
                    // of its own.
                    if (m_seenInWalk == m_walk)
                        reportCycle(path, step.instance.key(), step.parameter.key());
                    return;
                }
                path.push_back({&step.instance.key(), &step.parameter.key(), &step.instance->complex, step.redirection});
                continue;
            case vrex::LookupStep::NoInstance:
                unknownTarget(last);
                return;
            case vrex::LookupStep::NoParameter:
                if (!m_findings.fold(deviceTypeCause(step.deviceType.key())))
                    unknownParameter(last, step);
                return;
            case vrex::LookupStep::Resolved:
                if (step.parameter->slot == 0)
                    endsOnSlotZero(last, step);
                return;
            default:
                // An unknown device type or complex type is reported where
                // it is named; a missing member or redirection of the
                // target at the target.
                return;
            }
        }
    }

    void unknownParameter(const Hop &last, const vrex::LookupStep &step)
    {
        const QString &target = last.redirection->device;
        const QString &wanted = last.redirection->param;
        add(redirectionOf(last), Finding::Error, "unknown-parameter",
            QStringLiteral("redirection %1 of member %2 leads to %3: device type %4 has no parameter %5")
                    .arg(quoted(*last.parameter), quoted(*last.instance), quoted(target + QLatin1Char('.') + wanted),
                         quoted(step.instance->type), quoted(wanted)),
            [source = m_suggestions, wanted, params = step.deviceType->params] { return suggestKeys(wanted, params); });
    }

    void endsOnSlotZero(const Hop &last, const vrex::LookupStep &step)
    {
        add(redirectionOf(last), Finding::Warning, "redirection-to-slot-0",
            QStringLiteral("redirection %1 of member %2 leads to %3, which has slot 0, but instance %4 names no "
                           "complex type to redirect it; the lookup answers slot 0")
                    .arg(quoted(*last.parameter), quoted(*last.instance),
                         quoted(step.instance.key() + QLatin1Char('.') + step.parameter.key()),
                         quoted(step.instance.key())),
            {},
            {{{}, QStringLiteral("slot 0 is set here"), parameterAt(step.deviceType.key(), step.parameter.key())}});
    }

    // The cycle from its smallest step, so that whichever walk finds it
    // reports it alike; long cycles are shortened in the text and notes.
    void reportCycle(const std::vector<Hop> &path, const QString &instance, const QString &parameter)
    {
        size_t start = path.size() - 1;
        while (start > 0 && !(*path[start].instance == instance && *path[start].parameter == parameter))
            --start;
        QList<Hop> cycle(path.begin() + qsizetype(start), path.end());
        std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end(), [](const Hop &a, const Hop &b) {
                        return *a.instance != *b.instance ? *a.instance < *b.instance : *a.parameter < *b.parameter;
                    }), cycle.end());
        constexpr qsizetype kShown = 8;
        QStringList steps;
        for (qsizetype i = 0; i < cycle.size() && i < kShown; ++i)
            steps.append(textOf(cycle.at(i)));
        if (cycle.size() > kShown)
            steps.append(QStringLiteral("... (%1 redirections in all)").arg(cycle.size()));
        steps.append(textOf(cycle.constFirst()));
        QList<RelatedPlace> related;
        for (qsizetype i = 1; i < cycle.size() && i <= 2 * kShown; ++i)
            related.append({{}, QStringLiteral("the cycle continues here"), redirectionOf(cycle.at(i))});
        add(redirectionOf(cycle.constFirst()), Finding::Error, "redirection-cycle",
            QStringLiteral("redirections form a cycle: ") + steps.join(QStringLiteral(" -> ")), {}, related);
    }
};

} // namespace

RegistryCounts countRegistries(const vrex::Installation &installation)
{
    RegistryCounts counts;
    counts.styles = int(installation.styles().size());
    counts.instances = int(installation.instances().size());
    counts.deviceTypes = int(installation.deviceTypes().size());
    counts.complexTypes = int(installation.complexTypes().size());
    for (const complexType &type : installation.complexTypes()) {
        for (const complexInstance &member : type.members)
            counts.redirections += int(member.params.size());
    }
    return counts;
}

void checkRegistries(const vrex::Catalogue &catalogue, const DefinitionIndex &index, FindingList &findings,
                     RegistryScope *scope)
{
    RegistryCheck(catalogue, index, findings, scope).run();
}

} // namespace vrexctl
