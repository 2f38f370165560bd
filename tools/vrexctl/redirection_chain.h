// Following a parameter through complex-type redirections, hop by hop, by
// the rule the library's parameter lookup applies: a parameter whose slot is
// 0 on an instance that names a complex type stands for the parameter that
// the complex type's member entry redirects it to. Unlike the library, the
// walk keeps every hop and stops at the first repeated one.
#ifndef VREXCTL_REDIRECTION_CHAIN_H
#define VREXCTL_REDIRECTION_CHAIN_H

#include <vrex_stylesheet/vrex_instance_lookup.h>

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QVector>

namespace vrexctl {

struct ParameterRef
{
    QString instance;
    QString parameter;

    QString toString() const { return instance + QLatin1Char('.') + parameter; }
    bool operator==(const ParameterRef &other) const
    {
        return instance == other.instance && parameter == other.parameter;
    }
};

struct RedirectionChain
{
    enum Outcome {
        Resolved, // the last step is where the library takes its numbers
        Broken,   // a step names something that is not registered
        Cycle,    // the last step repeats an earlier one
    };
    enum Break {
        NoBreak,
        UnknownInstance,
        UnknownDeviceType,
        UnknownParameter,
        UnknownComplexType,
        UnknownMember,
        NoRedirection,
    };

    Outcome outcome = Resolved;
    Break breakKind = NoBreak;
    QVector<ParameterRef> steps; // the start, then each redirection target
    QString reason;              // for Broken and Cycle, a sentence

    // "a.p -> b.q" for each hop.
    QStringList hopTexts() const;
};

// The instance registry hashed, for callers that follow many chains: a hash
// finds an instance with one or two cache misses, the map with a dozen.
using InstanceIndex = QHash<QString, const instanceInfo *>;
InstanceIndex indexInstances();

// Walks from instance.parameter over the public registries (the instances
// through index when given).
RedirectionChain followRedirections(const QString &instance, const QString &parameter,
                                    const InstanceIndex *index = nullptr);

} // namespace vrexctl

#endif
