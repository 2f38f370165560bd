// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "style_document.h"

#include "installation/installation_layout.h"
#include "stylesheet/style_merge.h"
#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

#include <algorithm>
#include <iterator>

namespace styleeditor {

namespace {

QString lineOf(const QString &path, qint64 line)
{
    QFile file(path);
    if (line <= 0 || !file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray text;
    for (qint64 i = 0; i < line && !file.atEnd(); ++i)
        text = file.readLine(4096);
    return QString::fromUtf8(text).trimmed();
}

StyleDifference::Change changeOf(const StyleMap &base, const StyleMap &now, const QString &name)
{
    const auto before = base.constFind(name), after = now.constFind(name);
    if (before == base.cend())
        return after == now.cend() ? StyleDifference::None : StyleDifference::Added;
    if (after == now.cend())
        return StyleDifference::Removed;
    return vrex::sameStyle(*before, vrex::styleAsWritten(*after)) ? StyleDifference::None : StyleDifference::Changed;
}

} // namespace

bool sameStyles(const StyleMap &a, const StyleMap &b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(), other = b.cbegin(); it != a.cend(); ++it, ++other) {
        if (it.key() != other.key() || !vrex::sameStyle(it.value(), other.value()))
            return false;
    }
    return true;
}

StyleDocument::StyleDocument(const vrex::Installation &installation, QObject *parent)
    : QObject(parent), m_file(installation)
{
    m_fault = readInto(m_file);
    if (m_fault)
        m_lastFault = *m_fault;
    m_styles = m_file.styles();
    m_wasModified = isModified();
}

QString StyleDocument::stylesheetPath() const
{
    return m_file.path(vrex::layout::kStylesheetFile);
}

// A stylesheet with any problem, another root element included, is not
// taken: a write over it could lose what it holds.
std::optional<ReadFault> StyleDocument::readInto(vrex::Installation &file) const
{
    file.clearMessages();
    file.reloadStyles();
    if (file.problems().isEmpty())
        return std::nullopt;
    ReadFault fault;
    const vrex::xml::Result &result = file.problems().constFirst().result;
    QStringList said;
    for (const vrex::LoadMessage &message : file.messages())
        said << message.text;
    fault.messages = said.join(QLatin1Char('\n'));
    fault.reason = result.status == vrex::xml::Status::WrongRoot
            ? QStringLiteral("the root element is <%1>, not <stylesheet>").arg(result.root)
            : result.reason.isEmpty() ? QStringLiteral("it cannot be read") : result.reason;
    fault.line = result.at.line;
    fault.column = result.at.column;
    fault.lineText = lineOf(stylesheetPath(), fault.line);
    file.clearMessages();
    return fault;
}

void StyleDocument::reload()
{
    m_fault = readInto(m_file);
    if (m_fault)
        m_lastFault = *m_fault;
    takeWorkingCopy(m_file.styles());
}

std::optional<StyleMap> StyleDocument::readCurrentFile() const
{
    vrex::Installation probe = m_file;
    std::optional<ReadFault> problem = readInto(probe);
    if (!problem)
        return probe.styles();
    m_lastFault = *problem;
    return std::nullopt;
}

void StyleDocument::takeWorkingCopy(const StyleMap &styles)
{
    m_styles = styles;
    Q_EMIT reset();
    updateModified();
}

void StyleDocument::updateModified()
{
    if (m_wasModified != isModified()) {
        m_wasModified = isModified();
        Q_EMIT modifiedChanged(m_wasModified);
    }
}

std::optional<UnsavableText> StyleDocument::findUnsavable() const
{
    for (auto it = m_styles.cbegin(); it != m_styles.cend(); ++it) {
        if (!vrex::isXmlText(it.key()))
            return UnsavableText{it.key(), UnsavableText::Name};
        if (!vrex::isXmlText(it->suitablefor))
            return UnsavableText{it.key(), UnsavableText::SuitableFor};
        if (!vrex::isXmlText(it->description))
            return UnsavableText{it.key(), UnsavableText::Description};
        for (qsizetype i = 0; i < it->settings.size(); ++i) {
            if (!vrex::isXmlText(it->settings.at(i)))
                return UnsavableText{it.key(), UnsavableText::Setting, int(i)};
        }
    }
    return std::nullopt;
}

QVector<StyleDifference> StyleDocument::differencesFrom(const StyleMap &theirs) const
{
    // The three key lists are sorted: their union is one linear pass each.
    const QStringList base = loadedStyles().keys(), other = theirs.keys(), mine = m_styles.keys();
    QStringList some, names;
    std::set_union(base.cbegin(), base.cend(), other.cbegin(), other.cend(), std::back_inserter(some));
    std::set_union(some.cbegin(), some.cend(), mine.cbegin(), mine.cend(), std::back_inserter(names));
    QVector<StyleDifference> differences;
    for (const QString &name : std::as_const(names)) {
        const StyleDifference difference{name, changeOf(loadedStyles(), theirs, name), changeOf(loadedStyles(), m_styles, name)};
        if (difference.theirs != StyleDifference::None || difference.yours != StyleDifference::None)
            differences << difference;
    }
    return differences;
}

void StyleDocument::setStyle(const QString &name, const std::optional<styleentry> &entry)
{
    if (entry)
        m_styles.insert(name, *entry);
    else
        m_styles.remove(name);
    Q_EMIT styleChanged(name);
    updateModified();
}

StyleDocument::WriteOutcome StyleDocument::write(const StyleMap &request)
{
    if (!QFileInfo::exists(stylesheetPath()))
        return WriteOutcome::NoFile;
    m_file.styles() = request;
    const vrex::SaveOutcome outcome = m_file.saveStyles();
    m_file.clearMessages();
    if (outcome == vrex::SaveOutcome::Saved)
        return WriteOutcome::Written;
    // Nothing was written: the registry is the base again.
    m_file.styles() = m_file.loadedStyles();
    if (outcome == vrex::SaveOutcome::NoFile)
        return WriteOutcome::NoFile;
    return readCurrentFile() ? WriteOutcome::Failed : WriteOutcome::Unreadable;
}

StyleDocument::WriteOutcome StyleDocument::save(const ConfirmDelete &confirmDelete)
{
    if (m_fault)
        return WriteOutcome::Unreadable;
    // A style the user would rather keep is written as the base has it: as
    // an unchanged style, the file keeps whatever it has now.
    StyleMap request = m_styles;
    QStringList kept;
    for (auto it = loadedStyles().cbegin(); it != loadedStyles().cend(); ++it) {
        if (!m_styles.contains(it.key()) && !confirmDelete(it.key())) {
            request.insert(it.key(), it.value());
            kept << it.key();
        }
    }
    const WriteOutcome outcome = write(request);
    if (outcome == WriteOutcome::Written) {
        StyleMap styles = m_file.styles();
        for (const QString &name : std::as_const(kept))
            styles.remove(name);
        takeWorkingCopy(styles);
    }
    return outcome;
}

StyleDocument::WriteOutcome StyleDocument::removeFromFile(const QString &name, const QString &renamedTo,
                                                          const ConfirmDelete &confirmDelete)
{
    if (m_fault)
        return WriteOutcome::Unreadable;
    if (!confirmDelete(name))
        return WriteOutcome::Declined;
    // A style only the working copy has leaves the file as it is.
    if (!loadedStyles().contains(name) && renamedTo.isEmpty())
        return WriteOutcome::Written;

    const StyleMap base = loadedStyles();
    StyleMap request = base;
    request.remove(name);
    if (!renamedTo.isEmpty())
        request.insert(renamedTo, m_styles.value(name));
    const WriteOutcome outcome = write(request);
    if (outcome != WriteOutcome::Written)
        return outcome;
    // The working copy's other edits stay; what others saved meanwhile
    // comes in where the user changed nothing.
    StyleMap styles = vrex::mergeStyleChanges(base, m_styles, loadedStyles()).styles;
    for (const QString &same : {name, renamedTo}) {
        if (same.isEmpty() && same != name)
            continue;
        if (m_styles.contains(same))
            styles.insert(same, m_styles.value(same));
        else
            styles.remove(same);
    }
    if (!sameStyles(styles, m_styles))
        takeWorkingCopy(styles);
    updateModified();
    return outcome;
}

void StyleDocument::applyStyle(const QString &name, QWidget *widget) const
{
    // Every sample takes styles, so there is nothing to report.
    vrex::applyStyle(m_styles, name, widget, nullptr);
}

} // namespace styleeditor
