// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// An installation's redirection chains, complex types and composite groups
// as a graph of instances: an edge for each pair of instances a complex
// type redirects between (labelled with the parameters) and for each group
// of a composite, which holds its members as a cluster. Redirections are
// those a host's lookup follows, found with the library's lookup step:
// parameters with slot 0 on instances that name a complex type.
#ifndef VREXCTL_GRAPH_INSTALLATION_GRAPH_H
#define VREXCTL_GRAPH_INSTALLATION_GRAPH_H

#include "instance_lookup/catalogue.h"

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace vrexctl {

struct GraphNode
{
    QString name;
    const instanceInfo *instance = nullptr; // null: named as a target, but no instance
    QStringList problems; // what does not resolve from here
    bool named = false;   // asked for on the command line
};

struct GraphEdge
{
    enum Kind { Redirection, Group };
    Kind kind = Redirection;
    qsizetype from = 0; // into GraphNode list
    qsizetype to = 0;
    QStringList labels;  // "zoom", "zoom → position"; a group's id
    bool cycle = false;  // its redirections go round for ever
    bool broken = false; // its target does not have what it is asked for
};

struct GraphCluster
{
    qsizetype composite = 0;
    QList<qsizetype> members; // each node is in one cluster at most
};

struct InstallationGraph
{
    QList<GraphNode> nodes;
    QList<GraphEdge> edges;
    QList<GraphCluster> clusters;
};

// names empty: every instance that redirects, is redirected to, is a
// composite or a member of one. Otherwise the named instances, what they
// reach and what reaches them, at most depth edges away (depth < 0: any).
// Names that are no instance are the caller's to refuse.
InstallationGraph buildGraph(const vrex::Catalogue &catalogue, const QStringList &names = {}, int depth = -1);

} // namespace vrexctl

#endif
