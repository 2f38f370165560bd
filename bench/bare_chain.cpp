// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "bare_chain.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>

namespace vrexbench {

namespace {

// One step of a chain: the slot it ends on, or -1 when a search misses;
// name and param move to the redirection's target when there is one.
template<typename OnType>
int bareStep(const QString *&name, const QString *&param, bool &redirected, OnType typeKeyOf)
{
    const auto &instances = vrex_instance_lookup::instances;
    const auto &types = vrex_instance_lookup::deviceTypes;
    const auto &complexTypes = vrex_instance_lookup::complexTypes;

    redirected = false;
    const auto instance = instances.constFind(*name);
    if (instance == instances.constEnd())
        return -1;
    const auto type = types.constFind(typeKeyOf(*instance));
    if (type == types.constEnd())
        return -1;
    const auto parameter = type->params.constFind(*param);
    if (parameter == type->params.constEnd())
        return -1;
    if (parameter->slot != 0 || instance->complex.isEmpty())
        return parameter->slot;
    const auto complex = complexTypes.constFind(instance->complex);
    if (complex == complexTypes.constEnd())
        return -1;
    const auto member = complex->members.constFind(instance.key());
    if (member == complex->members.constEnd())
        return -1;
    const auto redirection = member->params.constFind(parameter.key());
    if (redirection == member->params.constEnd())
        return -1;
    name = &redirection->device;
    param = &redirection->param;
    redirected = true;
    return 0;
}

} // namespace

BareChain bareChainOf(const LookupSample &sample)
{
    BareChain chain{sample.instance, sample.param, {}};
    const QString *name = &chain.instance;
    const QString *param = &chain.param;
    QVector<QString> typeKeys;
    // More steps than instances would be a cycle.
    for (qsizetype steps = 0; steps <= vrex_instance_lookup::instances.size(); ++steps) {
        bool redirected = false;
        const int slot = bareStep(name, param, redirected, [&](const instanceInfo &info) {
            typeKeys.append(info.type.toLower());
            return typeKeys.last();
        });
        if (slot < 0)
            return chain;
        if (!redirected) {
            chain.typeKeys = typeKeys;
            return chain;
        }
    }
    return chain;
}

int walkBare(const BareChain &chain)
{
    const QString *name = &chain.instance;
    const QString *param = &chain.param;
    for (const QString &typeKey : chain.typeKeys) {
        bool redirected = false;
        const int slot = bareStep(name, param, redirected,
                                  [&](const instanceInfo &) -> const QString & { return typeKey; });
        if (!redirected)
            return slot;
    }
    return -1;
}

} // namespace vrexbench
