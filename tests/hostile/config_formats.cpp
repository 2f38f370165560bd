#include "config_formats.h"

#include "instance_lookup/complextype_parser.h"
#include "instance_lookup/devicetype_parser.h"
#include "instance_lookup/instances_parser.h"
#include "stylesheet/stylesheet_parser.h"

#include <vrex_stylesheet/vrex_instance_lookup.h>
#include <vrex_stylesheet/vrex_stylesheet.h>

void PrintTo(const QString &text, std::ostream *os)
{
    // Long texts (a 100 MB attribute) would drown the report.
    constexpr qsizetype kShown = 200;
    *os << '"' << text.left(kShown).toStdString() << (text.size() > kShown ? "\"..." : "\"");
}

void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '[';
    for (const QString &text : list) {
        PrintTo(text, os);
        *os << ' ';
    }
    *os << ']';
}

namespace vrextest {

namespace {

QString verdict(vrex::ParseStatus status, const vrex::ParseError &error)
{
    switch (status) {
    case vrex::ParseStatus::Ok: return QString();
    case vrex::ParseStatus::WrongRoot: return QStringLiteral("wrong root");
    case vrex::ParseStatus::NotWellFormed: break;
    }
    return error.errorString;
}

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

class InstancesFormat : public ConfigFormat
{
public:
    const char *label() const override { return "Instances"; }
    bool isListed() const override { return false; }
    QString relativePath(const QString &) const override { return QStringLiteral("instances.xml"); }
    QByteArray rootTag(const QString &) const override { return "instances"; }
    QByteArray recordStart() const override { return "<instance id=\"cam\" type=\"Camera\" location=\""; }
    QByteArray recordMiddle() const override { return "\">"; }
    QByteArray recordEnd() const override { return "</instance>"; }

    void insertSentinel() const override
    {
        instanceInfo kept;
        kept.location = QStringLiteral("kept");
        vrex_instance_lookup::instances.insert(QStringLiteral("keep"), kept);
    }

    QStringList snapshot() const override
    {
        QStringList lines;
        for (auto it = vrex_instance_lookup::instances.cbegin(); it != vrex_instance_lookup::instances.cend(); ++it)
            lines << line(it.key(), it->type, it->location);
        return sorted(lines);
    }

    QStringList loadedLines(const QString &, const QString &text) const override
    {
        return {line(QStringLiteral("cam"), QStringLiteral("Camera"), text)};
    }
    QStringList blankRecordLines(const QString &) const override { return {line({}, {}, {})}; }
    QStringList rejectedLines(const QString &) const override { return {}; }

    void load() const override { vrex_instance_lookup::loadInstances(); }
    QString cannotOpenMessage(const QString &, const QString &) const override
    {
        return QStringLiteral("vrex_instance_lookup: Could not find the instances");
    }
    QString notWellFormedMessage(const QString &, const QString &) const override
    {
        return QStringLiteral("vrex_instance_lookup: Error in instances file");
    }
    bool usesDebugOutput() const override { return true; }

    QString parseError(const QByteArray &data, const QString &) const override
    {
        const vrex::InstancesDocument document = vrex::parseInstances(data);
        return verdict(document.status, document.error);
    }

private:
    static QString line(const QString &id, const QString &type, const QString &location)
    {
        return QStringLiteral("%1 type=%2 location=%3").arg(id, type, location);
    }
};

class DeviceTypesFormat : public ConfigFormat
{
public:
    const char *label() const override { return "DeviceTypes"; }
    bool isListed() const override { return true; }
    QString relativePath(const QString &name) const override
    {
        return QStringLiteral("devicetypes/%1.xml").arg(name);
    }
    QByteArray rootTag(const QString &) const override { return "device_description"; }
    QByteArray rootStart(const QString &) const override
    {
        return "<device_description drivertype=\"router\" slotspacing=\"4\">";
    }
    QByteArray recordStart() const override { return "<param name=\""; }
    QByteArray recordMiddle() const override { return "\" slot=\"7\">"; }
    QByteArray recordEnd() const override { return "</param>"; }

    void insertSentinel() const override
    {
        deviceTypeInfo kept;
        kept.drivertype = 2;
        kept.params[QStringLiteral("kept")].slot = 1;
        vrex_instance_lookup::deviceTypes.insert(QStringLiteral("keep"), kept);
    }

    QStringList snapshot() const override
    {
        QStringList lines;
        const auto &types = vrex_instance_lookup::deviceTypes;
        for (auto type = types.cbegin(); type != types.cend(); ++type) {
            lines << header(type.key(), type->drivertype, type->slotspacing);
            for (auto param = type->params.cbegin(); param != type->params.cend(); ++param)
                lines << paramLine(type.key(), param.key(), param->slot);
        }
        return sorted(lines);
    }

    QStringList loadedLines(const QString &name, const QString &text) const override
    {
        return {header(name.toLower(), 3, 4), paramLine(name.toLower(), text, 7)};
    }
    QStringList blankRecordLines(const QString &name) const override
    {
        return {paramLine(name.toLower(), {}, 0)};
    }
    QStringList rejectedLines(const QString &name) const override { return {header(name.toLower(), 0, 0)}; }

    void load() const override { vrex_instance_lookup::loadDeviceTypes(); }
    QString cannotOpenMessage(const QString &name, const QString &) const override
    {
        return QStringLiteral("vrex_instance_lookup: Could not find the device description - ") + name;
    }
    QString notWellFormedMessage(const QString &name, const QString &) const override
    {
        return QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name;
    }

    QString parseError(const QByteArray &data, const QString &) const override
    {
        const vrex::DeviceTypeDocument document = vrex::parseDeviceType(data);
        return verdict(document.status, document.error);
    }

private:
    static QString header(const QString &key, int drivertype, int slotspacing)
    {
        return QStringLiteral("%1 drivertype=%2 slotspacing=%3").arg(key).arg(drivertype).arg(slotspacing);
    }
    static QString paramLine(const QString &key, const QString &param, int slot)
    {
        return QStringLiteral("%1: %2=%3").arg(key, param).arg(slot);
    }
};

class ComplexTypesFormat : public ConfigFormat
{
public:
    const char *label() const override { return "ComplexTypes"; }
    bool isListed() const override { return true; }
    QString relativePath(const QString &name) const override
    {
        return QStringLiteral("complex_instances/%1.xml").arg(name);
    }
    // The root element is named after the type.
    QByteArray rootTag(const QString &name) const override { return name.toUtf8(); }
    QByteArray recordStart() const override { return "<member id=\"cam\"><redirect id=\"gain\" device=\""; }
    QByteArray recordMiddle() const override { return "\" param=\"iris\">"; }
    QByteArray recordEnd() const override { return "</redirect></member>"; }

    void insertSentinel() const override
    {
        complexParam kept;
        kept.device = QStringLiteral("kept");
        kept.param = QStringLiteral("p");
        vrex_instance_lookup::complexTypes[QStringLiteral("Keep")].members[QStringLiteral("m")]
                .params.insert(QStringLiteral("p"), kept);
    }

    QStringList snapshot() const override
    {
        QStringList lines;
        const auto &types = vrex_instance_lookup::complexTypes;
        for (auto type = types.cbegin(); type != types.cend(); ++type) {
            lines << type.key();
            for (auto member = type->members.cbegin(); member != type->members.cend(); ++member) {
                for (auto param = member->params.cbegin(); param != member->params.cend(); ++param)
                    lines << redirection(type.key(), member.key(), param.key(), param->device, param->param);
            }
        }
        return sorted(lines);
    }

    QStringList loadedLines(const QString &name, const QString &text) const override
    {
        return {name, redirection(name, QStringLiteral("cam"), QStringLiteral("gain"), text, QStringLiteral("iris"))};
    }
    QStringList blankRecordLines(const QString &name) const override
    {
        return {redirection(name, {}, {}, {}, {})};
    }
    QStringList rejectedLines(const QString &name) const override { return {name}; }

    void load() const override { vrex_instance_lookup::loadComplexTypes(); }
    QString cannotOpenMessage(const QString &name, const QString &) const override
    {
        return QStringLiteral("vrex_instance_lookup: Could not find the complex instances - ") + name;
    }
    QString notWellFormedMessage(const QString &name, const QString &) const override
    {
        return QStringLiteral("vrex_instance_lookup: Error in device type file - ") + name;
    }

    QString parseError(const QByteArray &data, const QString &name) const override
    {
        const vrex::ComplexTypeDocument document = vrex::parseComplexType(data, name);
        return verdict(document.status, document.error);
    }

private:
    static QString redirection(const QString &type, const QString &member, const QString &param,
                               const QString &device, const QString &target)
    {
        return QStringLiteral("%1: %2.%3 -> %4.%5").arg(type, member, param, device, target);
    }
};

class StylesheetFormat : public ConfigFormat
{
public:
    const char *label() const override { return "Stylesheet"; }
    bool isListed() const override { return false; }
    QString relativePath(const QString &) const override
    {
        return QStringLiteral("stylesheet/vrex_style.xml");
    }
    QByteArray rootTag(const QString &) const override { return "stylesheet"; }
    QByteArray recordStart() const override { return "<style name=\"cam\" type=\"style\" description=\""; }
    QByteArray recordMiddle() const override { return "\"><setting value=\"color: red\">"; }
    QByteArray recordEnd() const override { return "</setting></style>"; }

    void insertSentinel() const override
    {
        QString name = QStringLiteral("keep");
        styleentry kept;
        kept.description = QStringLiteral("kept");
        kept.settings << QStringLiteral("margin: 1px");
        vrex_stylesheet().set(name, kept);
    }

    QStringList snapshot() const override
    {
        QStringList lines;
        const QMap<QString, styleentry> styles = vrex_stylesheet().stylelist();
        for (auto it = styles.cbegin(); it != styles.cend(); ++it)
            lines << line(it.key(), it->description, it->settings);
        return sorted(lines);
    }

    QStringList loadedLines(const QString &, const QString &text) const override
    {
        return {line(QStringLiteral("cam"), text, {QStringLiteral("color: red")})};
    }
    // A setting element without "value" contributes an empty setting.
    QStringList blankRecordLines(const QString &) const override { return {line({}, {}, {QString()})}; }
    QStringList rejectedLines(const QString &) const override { return {}; }

    void load() const override { vrex_stylesheet::load(); }
    QString cannotOpenMessage(const QString &, const QString &path) const override
    {
        return QStringLiteral("Could not find the Stylesheet file:\n\t") + path;
    }
    QString notWellFormedMessage(const QString &, const QString &path) const override
    {
        return QStringLiteral("Error in Stylesheet file:\n\t") + path + QLatin1Char('\n');
    }
    bool reportsReaderMessage() const override { return true; }

    QString parseError(const QByteArray &data, const QString &) const override
    {
        const vrex::StylesheetDocument document = vrex::parseStylesheet(data);
        return verdict(document.status, document.error);
    }

private:
    static QString line(const QString &name, const QString &description, const QStringList &settings)
    {
        QString joined;
        for (const QString &setting : settings)
            joined += QLatin1Char('[') + setting + QLatin1Char(']');
        return QStringLiteral("%1 description=%2 settings=%3").arg(name, description, joined);
    }
};

} // namespace

QByteArray ConfigFormat::rootStart(const QString &name) const
{
    return '<' + rootTag(name) + '>';
}

QByteArray ConfigFormat::rootEnd(const QString &name) const
{
    return "</" + rootTag(name) + '>';
}

QByteArray ConfigFormat::record(const QByteArray &text, const QByteArray &inner) const
{
    return recordStart() + text + recordMiddle() + inner + recordEnd();
}

QByteArray ConfigFormat::document(const QString &name, const QByteArray &records,
                                  const QByteArray &prolog) const
{
    return prolog + rootStart(name) + records + rootEnd(name);
}

const ConfigFormat &configFormat(FormatId id)
{
    static const InstancesFormat instances;
    static const DeviceTypesFormat deviceTypes;
    static const ComplexTypesFormat complexTypes;
    static const StylesheetFormat stylesheet;
    switch (id) {
    case FormatId::Instances: return instances;
    case FormatId::DeviceTypes: return deviceTypes;
    case FormatId::ComplexTypes: return complexTypes;
    case FormatId::Stylesheet: break;
    }
    return stylesheet;
}

void PrintTo(FormatId id, std::ostream *os)
{
    *os << configFormat(id).label();
}

QVector<FormatId> allFormats()
{
    return {FormatId::Instances, FormatId::DeviceTypes, FormatId::ComplexTypes, FormatId::Stylesheet};
}

QVector<FormatId> listedFormats()
{
    return {FormatId::DeviceTypes, FormatId::ComplexTypes};
}

} // namespace vrextest
