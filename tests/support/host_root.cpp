// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "support/host_root.h"

#include "support/capture.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

#include <QtCore/QFile>

namespace vrextest {

HostRoot::HostRoot(const FixtureTree &tree)
    : m_root("ZT_ROOT", QFile::encodeName(tree.root()).constData()),
      m_system("ZT_SYSTEM", QFile::encodeName(tree.system()).constData())
{
}

void clearRegistries()
{
    vrex_instance_lookup::instances.clear();
    vrex_instance_lookup::deviceTypes.clear();
    vrex_instance_lookup::complexTypes.clear();
    FixtureTree empty(QStringLiteral("none"));
    HostRoot root(empty);
    QtMessageCapture swallow;
    vrex_stylesheet::reLoad();
}

} // namespace vrextest
