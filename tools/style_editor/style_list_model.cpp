// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "style_list_model.h"

#include "style_document.h"

#include "stylesheet/stylesheet_writer.h"

#include <QtCore/QCoreApplication>

#include <algorithm>

namespace styleeditor {

QString typeLabel(int type)
{
    const QString word = vrex::styleTypeWord(type);
    // The other types are the stylesheet's own words, shown as written.
    return word.isEmpty() ? QCoreApplication::translate("styleeditor::StyleListModel", "none", "style type") : word;
}

StyleListModel::StyleListModel(StyleDocument *document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document), m_names(document->styles().keys())
{
    connect(document, &StyleDocument::styleChanged, this, &StyleListModel::styleChanged);
    connect(document, &StyleDocument::reset, this, &StyleListModel::reset);
}

int StyleListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

int StyleListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StyleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const QString &name = m_names.at(index.row());
    const styleentry entry = m_document->styles().value(name);
    if (role == Qt::ToolTipRole)
        return entry.description;
    switch (index.column()) {
    case NameColumn:
        return name;
    case TypeColumn:
        return typeLabel(entry.type);
    case SuitableForColumn:
        return entry.suitablefor;
    case SettingsColumn:
        return int(entry.settings.size());
    }
    return QVariant();
}

QVariant StyleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const struct
    {
        const char *source;
        const char *comment;
    } titles[ColumnCount] = {
            QT_TRANSLATE_NOOP3("styleeditor::StyleListModel", "Name", "column: the style's name"),
            QT_TRANSLATE_NOOP3("styleeditor::StyleListModel", "Type", "column: the style's type"),
            QT_TRANSLATE_NOOP3("styleeditor::StyleListModel", "Suitable for", "column"),
            QT_TRANSLATE_NOOP3("styleeditor::StyleListModel", "Settings", "column, 60 pixels wide: how many settings a style has")};
    return tr(titles[section].source, titles[section].comment);
}

int StyleListModel::rowOf(const QString &name) const
{
    const auto it = std::lower_bound(m_names.cbegin(), m_names.cend(), name);
    return it != m_names.cend() && *it == name ? int(it - m_names.cbegin()) : -1;
}

void StyleListModel::styleChanged(const QString &name)
{
    const bool exists = m_document->styles().contains(name);
    const int row = int(std::lower_bound(m_names.cbegin(), m_names.cend(), name) - m_names.cbegin());
    const bool listed = row < m_names.size() && m_names.at(row) == name;
    if (exists && listed) {
        Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
    } else if (exists) {
        beginInsertRows(QModelIndex(), row, row);
        m_names.insert(row, name);
        endInsertRows();
    } else if (listed) {
        beginRemoveRows(QModelIndex(), row, row);
        m_names.removeAt(row);
        endRemoveRows();
    }
}

void StyleListModel::reset()
{
    beginResetModel();
    m_names = m_document->styles().keys();
    endResetModel();
}

StyleFilterModel::StyleFilterModel(StyleDocument *document, QObject *parent)
    : QSortFilterProxyModel(parent), m_document(document)
{
    setFilterCaseSensitivity(Qt::CaseInsensitive);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    setDynamicSortFilter(true);
}

void StyleFilterModel::setFilterText(const QString &text)
{
    m_filterText = text;
    invalidateFilter();
}

bool StyleFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const QString &needle = m_filterText;
    if (needle.isEmpty())
        return true;
    const auto *list = static_cast<const StyleListModel *>(sourceModel());
    const QString name = list->nameAt(sourceRow);
    const styleentry entry = m_document->styles().value(name);
    for (const QString &text : {name, typeLabel(entry.type), entry.suitablefor, entry.description}) {
        if (text.contains(needle, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace styleeditor
