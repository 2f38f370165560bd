#include "frame/parse_findings.h"

#include <QtCore/QXmlStreamAttributes>

#include <algorithm>

namespace vrex {

ParseObserver::~ParseObserver() = default;

ParseReport::ParseReport(ParseObserver &observer, const QByteArray &data)
    : m_observer(observer), m_locator(data)
{
}

SourcePosition ParseReport::element(const QXmlStreamReader &reader)
{
    return m_locator.startTag(reader.characterOffset());
}

void ParseReport::checkAttributes(const QXmlStreamReader &reader, const QString &element,
                                  std::initializer_list<const char16_t *> known)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringView name = attribute.qualifiedName();
        bool isKnown = false;
        for (const char16_t *word : known)
            isKnown = isKnown || name == QStringView(word);
        if (isKnown)
            continue;
        QStringList names;
        for (const char16_t *word : known)
            names.append(QString::fromUtf16(word));
        report({ParseFinding::UnknownAttribute, element, name.toString(), attribute.value().toString(),
                names, m_locator.attribute(name), {}});
    }
}

void ParseReport::checkNumber(const QString &element, QStringView name, QStringView value,
                              SourcePosition at)
{
    // Plain digits convert; anything else is left to toInt's own rules.
    bool ok = !value.isEmpty() && value.size() <= 9
            && std::all_of(value.begin(), value.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; });
    if (!ok)
        (void)value.toInt(&ok, 10);
    if (!ok)
        report({ParseFinding::NotANumber, element, name.toString(), value.toString(), {}, at, {}});
}

} // namespace vrex
