// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "graph/dot_writer.h"

#include "graph/installation_graph.h"
#include "output/table_output.h"

namespace vrexctl {

namespace {

constexpr char kRed[] = "\"#c62828\"";

bool needsEscape(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == '"' || u == '\\' || (u >= 0x7f && u < 0xa0))
            return true;
    }
    return false;
}

bool isPlainAscii(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u >= 0x7f || u == '"' || u == '\\')
            return false;
    }
    return true;
}

// Writes DOT into one UTF-8 buffer: a whole site's graph is millions of
// bytes, written without a string per statement.
class DotWriter
{
public:
    QByteArray take() { return std::move(m_out); }

    DotWriter &operator<<(const char *text)
    {
        m_out += text;
        return *this;
    }
    DotWriter &operator<<(qsizetype number)
    {
        m_out += QByteArray::number(number);
        return *this;
    }

    // Text inside a DOT double-quoted string: control characters as visible
    // escapes (a name cannot break a line), and no backslash or quote read
    // as DOT's own.
    DotWriter &text(QStringView text)
    {
        if (isPlainAscii(text)) {
            // Most names: copied as they are, without a conversion.
            const qsizetype at = m_out.size();
            m_out.resize(at + text.size());
            char *out = m_out.data() + at;
            for (const QChar c : text)
                *out++ = char(c.unicode());
            return *this;
        }
        if (!needsEscape(text)) {
            m_out += text.toUtf8();
            return *this;
        }
        QString escaped = escapeControlCharacters(text.toString());
        escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
        m_out += escaped.toUtf8();
        return *this;
    }
    DotWriter &quoted(QStringView name) { return (*this << "\"").text(name) << "\""; }
    // Label lines, joined with DOT's centred line break.
    DotWriter &lines(const QStringList &lines)
    {
        *this << "\"";
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i)
                *this << "\\n";
            text(lines.at(i));
        }
        return *this << "\"";
    }

private:
    QByteArray m_out;
};

void writeNode(DotWriter &out, const GraphNode &node)
{
    out.quoted(node.name) << " [label=\"";
    out.text(node.name);
    const instanceInfo *instance = node.instance;
    if (instance) {
        (out << "\\n").text(instance->type) << " " << qsizetype(instance->device) << "/" << qsizetype(instance->offset);
        if (!instance->complex.isEmpty())
            (out << "\\ncomplex ").text(instance->complex);
    } else {
        out << "\\nno such instance";
    }
    for (const QString &problem : node.problems)
        (out << "\\n").text(problem);
    out << "\", style=\"rounded" << (instance ? "" : ",dashed") << (node.named ? ",filled\", fillcolor=\"#fff3c4\", penwidth=2" : "\"");
    if (instance && instance->composite)
        out << ", shape=box3d";
    if (!instance || !node.problems.isEmpty())
        out << ", color=" << kRed << ", fontcolor=" << kRed;
    out << "];\n";
}

void writeEdge(DotWriter &out, const InstallationGraph &graph, const GraphEdge &edge)
{
    out << "  ";
    out.quoted(graph.nodes.at(edge.from).name) << " -> ";
    out.quoted(graph.nodes.at(edge.to).name) << " [label=";
    out.lines(edge.cycle ? QStringList{QStringLiteral("cycle")} + edge.labels : edge.labels);
    if (edge.kind == GraphEdge::Group)
        out << ", style=dashed, arrowhead=empty, color=\"#78909c\", fontcolor=\"#546e7a\"";
    if (edge.cycle)
        out << ", color=" << kRed << ", fontcolor=" << kRed << ", penwidth=2";
    else if (edge.broken)
        out << ", color=" << kRed << ", fontcolor=" << kRed;
    out << "];\n";
}

} // namespace

QByteArray toDot(const InstallationGraph &graph)
{
    DotWriter out;
    out << "digraph installation {\n"
           "  graph [rankdir=LR, bgcolor=white, fontname=\"Helvetica\", fontsize=11, nodesep=0.3];\n"
           "  node [shape=box, fontname=\"Helvetica\", fontsize=10];\n"
           "  edge [fontname=\"Helvetica\", fontsize=9, color=\"#37474f\"];\n";
    QList<bool> inCluster(graph.nodes.size(), false);
    for (qsizetype i = 0; i < graph.clusters.size(); ++i) {
        const GraphCluster &cluster = graph.clusters.at(i);
        out << "  subgraph cluster_" << i << " {\n    label=";
        out.quoted(graph.nodes.at(cluster.composite).name) << "; style=\"rounded,dashed\"; color=\"#90a4ae\";\n    ";
        writeNode(out, graph.nodes.at(cluster.composite));
        inCluster[cluster.composite] = true;
        for (qsizetype member : cluster.members) {
            out << "    ";
            writeNode(out, graph.nodes.at(member));
            inCluster[member] = true;
        }
        out << "  }\n";
    }
    for (qsizetype i = 0; i < graph.nodes.size(); ++i) {
        if (!inCluster.at(i)) {
            out << "  ";
            writeNode(out, graph.nodes.at(i));
        }
    }
    for (const GraphEdge &edge : graph.edges)
        writeEdge(out, graph, edge);
    out << "}\n";
    return out.take();
}

} // namespace vrexctl
