// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "compare/compared_installation.h"

#include "checks/file_lint.h"

#include "installation/installation_layout.h"
#include "instance_lookup/device_type_key.h"

namespace vrexctl {

namespace {

namespace layout = vrex::layout;

QString describe(const QString &path, const QString &file, const vrex::xml::Result &result)
{
    using vrex::xml::Status;
    switch (result.status) {
    case Status::Unreadable:
        return QStringLiteral("cannot be read: ") + (result.reason.isEmpty() ? unreadableReason(path) : result.reason);
    case Status::NotWellFormed:
        return QStringLiteral("not well-formed XML (line %1, column %2): %3")
                .arg(result.at.line)
                .arg(result.at.column)
                .arg(result.reason);
    case Status::WrongRoot:
        return file == layout::kStylesheetFile
                ? QStringLiteral("the root element <%1> is not the expected one; its styles are read all the same")
                          .arg(result.root)
                : QStringLiteral("the root element <%1> is not the expected one, so nothing is read from it")
                          .arg(result.root);
    case Status::Ok: break;
    }
    return QString();
}

} // namespace

ComparedInstallation::ComparedInstallation(const vrex::Installation &installation) : m_installation(installation)
{
    // The loaders' own listings: a later entry of a key replaces an earlier.
    const vrex::DirectoryListing deviceTypes =
            installation.files().listXml(installation.path(layout::kDeviceTypesDir));
    for (const QString &entry : deviceTypes.entries()) {
        const QString base = entry.chopped(layout::kXmlSuffix.size());
        m_deviceTypeFiles.insert(vrex::deviceTypeKey(base),
                                 relative(deviceTypes.resolve(layout::xmlFileName(base))));
    }
    const vrex::DirectoryListing complexTypes =
            installation.files().listXml(installation.path(layout::kComplexTypesDir));
    for (const QString &entry : complexTypes.entries()) {
        const QString name = entry.chopped(layout::kXmlSuffix.size());
        m_complexTypeFiles.insert(name, relative(complexTypes.resolve(layout::xmlFileName(name))));
    }
    for (const vrex::LoadProblem &problem : installation.problems()) {
        const QString file = relative(problem.path);
        m_failures.append({file, describe(problem.path, file, problem.result)});
        m_failureByFile.insert(file, m_failures.constLast().reason);
    }
}

QString ComparedInstallation::relative(const QString &path) const
{
    const QString root = m_installation.configRoot() + QLatin1Char('/');
    return path.startsWith(root) ? path.mid(root.size()) : path;
}

QString ComparedInstallation::failure(const QString &file) const
{
    return m_failureByFile.value(file);
}

} // namespace vrexctl
