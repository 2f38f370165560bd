// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// One thing the check reports: where, how bad, what, and a stable code.
#ifndef VREXCTL_CHECKS_FINDING_H
#define VREXCTL_CHECKS_FINDING_H

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QStringList>
#include <QtCore/QString>

#include <functional>

namespace vrexctl {

struct Place
{
    QString file; // as the tool opened it
    qint64 line = 1; // 0: the file or directory as a whole (and column 0)
    qint64 column = 1;
};

// What a finding about the loaded registries is about, by the keys the
// library files it under. The check finds where that is in the files once
// all registry findings are in (definition_index.h), so that the load
// itself counts no positions.
struct Subject
{
    enum Kind { None, Instance, Group, Parameter, Member, Redirection };
    Kind kind = None;
    QString name; // the instance; the device-type key (Parameter); the complex type (Member, Redirection)
    QString item; // the group id; the parameter; the member
    QString sub;  // the redirection id
};

struct RelatedPlace
{
    Place place;
    QString message; // "first defined here", "the cycle continues here"
    Subject subject = {}; // where place is still to be found
};

struct Finding
{
    enum Severity { Error, Warning, Note };
    Place place;
    Severity severity = Error;
    QString code;       // stable kebab-case id, see the README's table
    QString message;    // one line, without the suggestion
    QStringList suggestions; // what the file probably meant, best first; ties all listed
    QList<RelatedPlace> related;
    Subject subject = {}; // where place is still to be found
    // Computes the suggestions when the finding is listed; many findings
    // are only counted, and their candidates can be many.
    std::function<QStringList()> suggest = {};
};

QString severityWord(Finding::Severity severity);

// The findings of one check. A root cause (a file that cannot be read, a
// missing directory) is listed once; findings that only follow from it are
// counted there and show as one note.
class FindingList
{
public:
    void add(Finding finding);
    // Registers a root cause under key. Unless alwaysList, it is listed only
    // when something follows from it.
    void addRootCause(const QString &key, Finding finding, bool alwaysList = true);
    bool isRootCause(const QString &key) const { return m_roots.contains(key); }
    // Counts one follow-on of key's root cause; false when key is none.
    bool fold(const QString &key);

    // Gives every finding and related place that has a subject its place.
    void placeSubjects(const std::function<Place(const Subject &)> &where);
    // The subjects of every finding and related place still to be placed.
    QList<Subject> subjects() const;

    // Everything, sorted by file and position, each root cause followed by
    // the note on what was folded into it.
    QList<Finding> take();

    // What was added, registered and folded since the last takePart(): a
    // caller that checks again only what an edit affects keeps the part
    // each file or registry entry gave and puts the list together again
    // from the parts (addPart). Root causes stay registered here, so that
    // what follows from them still folds.
    struct RootCause
    {
        QString key;
        Finding finding;
        bool alwaysList = true;
    };
    struct Part
    {
        QList<Finding> findings;
        QList<RootCause> roots;
        QHash<QString, int> followOns; // by root-cause key
        bool isEmpty() const { return findings.isEmpty() && roots.isEmpty() && followOns.isEmpty(); }
    };
    Part takePart();
    void addPart(const Part &part);

private:
    struct Root
    {
        Finding finding;
        bool alwaysList = true;
        int followOns = 0;
    };
    // Where the current part begins, and what it folded.
    qsizetype m_partFindings = 0;
    qsizetype m_partRoots = 0;
    QHash<QString, int> m_partFollowOns;
    QList<Finding> m_findings;
    QHash<QString, Root> m_roots;
    QStringList m_rootOrder;
};

} // namespace vrexctl

#endif
