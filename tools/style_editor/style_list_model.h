// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The style list: one row per style of the working copy, and the proxy
// that sorts it and filters it as the user types.
#ifndef STYLE_EDITOR_STYLE_LIST_MODEL_H
#define STYLE_EDITOR_STYLE_LIST_MODEL_H

#include <QtCore/QAbstractTableModel>
#include <QtCore/QSortFilterProxyModel>
#include <QtCore/QStringList>

namespace styleeditor {

class StyleDocument;

class StyleListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn, TypeColumn, SuitableForColumn, SettingsColumn, ColumnCount };

    explicit StyleListModel(StyleDocument *document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString nameAt(int row) const { return m_names.value(row); }
    int rowOf(const QString &name) const;

private:
    void styleChanged(const QString &name);
    void reset();

    StyleDocument *m_document;
    QStringList m_names; // the document's keys, in its order
};

// Sorts by the clicked column (numbers as numbers) and keeps the rows whose
// name, type, suitable-for or description contain the filter text.
class StyleFilterModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit StyleFilterModel(StyleDocument *document, QObject *parent = nullptr);

    void setFilterText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    StyleDocument *m_document;
    QString m_filterText;
};

// The stylesheet's word for a type code, "none" for a code without one.
QString typeLabel(int type);

} // namespace styleeditor

#endif
