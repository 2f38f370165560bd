// The instance catalogue: instances, device types and complex types of an
// installation, and the lookups a host uses to address equipment.
#ifndef VREX_INSTANCE_LOOKUP_H
#define VREX_INSTANCE_LOOKUP_H

#include <vrex_stylesheet/vrex_global.h>

#include <QtCore/QMap>
#include <QtCore/QString>

// One instance of the instances file.
class VREX_STYLESHEET_EXPORT instanceInfo
{
public:
    instanceInfo();
    instanceInfo(const instanceInfo &other);
    instanceInfo &operator=(const instanceInfo &other);
    virtual ~instanceInfo();

    int device;
    int offset;
    bool composite;
    QString type;
    QString complex;
    QString alt_id;
    QString location;
    QMap<QString, QString> groups; // group id -> instance name
};

// One parameter of a device type.
class VREX_STYLESHEET_EXPORT paramInfo
{
public:
    paramInfo();
    paramInfo(const paramInfo &other);
    paramInfo &operator=(const paramInfo &other);
    virtual ~paramInfo();

    int slot;
};

// One device type, read from its file in config/devicetypes.
class VREX_STYLESHEET_EXPORT deviceTypeInfo
{
public:
    deviceTypeInfo();
    deviceTypeInfo(const deviceTypeInfo &other);
    deviceTypeInfo &operator=(const deviceTypeInfo &other);
    virtual ~deviceTypeInfo();

    int drivertype;
    QMap<QString, paramInfo> params;
    int slotspacing;
};

// One redirection: use parameter param of instance device instead.
class VREX_STYLESHEET_EXPORT complexParam
{
public:
    complexParam();
    complexParam(const complexParam &other);
    complexParam &operator=(const complexParam &other);
    virtual ~complexParam();

    QString device;
    QString param;
};

// The redirections of one member instance, keyed by its own parameter name.
class VREX_STYLESHEET_EXPORT complexInstance
{
public:
    complexInstance();
    complexInstance(const complexInstance &other);
    complexInstance &operator=(const complexInstance &other);
    virtual ~complexInstance();

    QMap<QString, complexParam> params;
};

// One complex type, keyed by member instance name.
class VREX_STYLESHEET_EXPORT complexType
{
public:
    complexType();
    complexType(const complexType &other);
    complexType &operator=(const complexType &other);
    virtual ~complexType();

    QMap<QString, complexInstance> members;
};

class VREX_STYLESHEET_EXPORT vrex_instance_lookup
{
public:
    vrex_instance_lookup();
    vrex_instance_lookup(const vrex_instance_lookup &other);
    vrex_instance_lookup &operator=(const vrex_instance_lookup &other);
    virtual ~vrex_instance_lookup();

    // Instances.
    static int countInstances();
    static bool loadInstances();
    static void dump();

    // Queries by instance.
    static bool lookupComposite(const QString &name, bool &composite,
                                QMap<QString, QString> &groups);
    static bool lookupComposite(const QString &name, const QString &id, QString &instance);
    static bool lookupType(const QString &name, QString &type);
    static bool lookup(const QString &name, QString &alt_id, int *device, int *offset,
                       char *drivertype);
    static bool lookup(const QString &name, QString &alt_id, QString &location,
                       QString &type, QString &ref, bool &composite);

    // Device types.
    static int countDeviceTypes();
    static bool loadDeviceTypes();
    static bool loadDeviceParams(const QString &name, deviceTypeInfo &info);

    // Complex types.
    static int countComplexTypes();
    static bool loadComplexTypes();
    static bool loadComplexType(const QString &name, complexType &type);

    // Queries by instance and parameter, following redirections.
    static bool lookup(const QString &name, const QString &param, QString &alt_id,
                       int *device, int *offset, int *slot, char *drivertype);
    static bool lookupComplex(const QString &complexName, const QString &member,
                              const QString &param, QString &alt_id, int *device,
                              int *offset, int *slot, char *drivertype);

    static QMap<QString, instanceInfo> instances;
    static QMap<QString, deviceTypeInfo> deviceTypes; // keys lower-cased
    static QMap<QString, complexType> complexTypes;
};

#endif // VREX_INSTANCE_LOOKUP_H
