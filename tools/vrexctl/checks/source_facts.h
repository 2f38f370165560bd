// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// What the check needs of the files besides the lint's findings: the
// suppression comments, what each element is about (for the baseline and
// stable fingerprints), and where a certain textual fix would go. Gathered
// by an observer that passes every event on to the file lint, during the
// same one load.
#ifndef VREXCTL_CHECKS_SOURCE_FACTS_H
#define VREXCTL_CHECKS_SOURCE_FACTS_H

#include "checks/finding.h"

#include "xml/format_observer.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QSet>

#include <optional>

namespace vrexctl {

// A place as a hash key.
struct PlaceKey
{
    QString file;
    qint64 line = 0;
    qint64 column = 0;
    bool operator==(const PlaceKey &other) const
    {
        return line == other.line && column == other.column && file == other.file;
    }
};
inline size_t qHash(const PlaceKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.file, key.line, key.column);
}
inline PlaceKey keyOf(const Place &place) { return {place.file, place.line, place.column}; }

// One code disabled by one comment.
struct Suppression
{
    Place comment;
    QString code;
    bool fileWide = false;
    int uses = 0;
};

// A certain textual fix for the finding of code with suggestion at the
// element that starts at byte tagOffset of file.
struct FixCandidate
{
    enum Kind {
        RenameAttribute, // attribute `from` becomes `to`
        RenameRefKey,    // in attribute ref, the key written `from` becomes `to`
        ReplaceValue,    // attribute `attribute`'s value `from` becomes `to`
    };
    QString code;
    QString suggestion;
    Kind kind = RenameAttribute;
    QByteArray element;   // the tag name, UTF-8
    qint64 tagOffset = 0;
    QByteArray attribute; // for RenameRefKey and ReplaceValue
    QByteArray from;
    QByteArray to;
};

struct SourceFacts
{
    QList<Suppression> suppressions;
    QHash<PlaceKey, QList<qsizetype>> elementSuppressions; // by the element's place
    QHash<QString, QList<qsizetype>> fileSuppressions;     // by file
    QList<Finding> problems;                               // bad-suppression
    QHash<PlaceKey, QString> subjects;                     // when asked for
    QHash<PlaceKey, QList<FixCandidate>> fixes;            // when asked for
    QSet<QString> unparsed; // files the reader did not take: never fixed
};

class SourceObserver final : public vrex::FormatObserver
{
public:
    // Passes every event on to inner. Subjects and fixes are gathered only
    // when asked for: they cost a hash entry per element.
    SourceObserver(vrex::FormatObserver &inner, SourceFacts &facts, bool subjects, bool fixes);

    void beginFile(const QString &path) override;
    void endFile(const QString &path, const vrex::xml::Result &result) override;
    void element(vrex::RecordRole role, const vrex::xml::Element &element) override;
    void attribute(vrex::RecordRole role, const vrex::xml::Element &element, const char *name, const char *value,
                   bool known) override;
    void notice(vrex::RecordRole role, const vrex::xml::Element &element, Notice kind, QByteArrayView subject,
                QByteArrayView value) override;
    void unreadElement(vrex::RecordRole parent, const vrex::xml::Element &element) override
    {
        m_inner.unreadElement(parent, element);
    }
    void text(vrex::RecordRole role, QByteArrayView utf8) override { m_inner.text(role, utf8); }
    bool wantsComments() const override { return true; }
    // Only suppression comments: the others cost no position.
    bool keepsComment(QByteArrayView text) const override;
    void comment(QByteArrayView text, vrex::xml::Position at, vrex::xml::Position next) override;

private:
    struct Pending
    {
        vrex::RecordRole role;
        vrex::xml::Position at;
        QString name;
    };
    void takePending();
    void addFix(const vrex::xml::Element &element, vrex::xml::Position at, FixCandidate fix);

    vrex::FormatObserver &m_inner;
    SourceFacts &m_facts;
    const bool m_subjects;
    const bool m_fixes;
    QString m_file;
    QString m_fileName; // without directory and extension
    std::optional<Pending> m_pending;
    QString m_root;   // the subject of the type file's root
    QString m_parent; // the subject of the instance, member or style whose children come
    vrex::xml::Position m_elementAt;
};

} // namespace vrexctl

#endif
