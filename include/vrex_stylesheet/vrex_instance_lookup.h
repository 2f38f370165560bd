// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
/*!
 * \file vrex_instance_lookup.h
 * \brief The instance catalogue: instances, device types and complex types
 * of an installation, and the lookups a host uses to address equipment.
 *
 * Everything here works on three process-wide registries that the library
 * fills while it is loaded (see \ref vrex_lookup_conventions "Conventions").
 */
#ifndef VREX_INSTANCE_LOOKUP_H
#define VREX_INSTANCE_LOOKUP_H

#include <vrex_stylesheet/vrex_global.h>

#include <QtCore/QMap>
#include <QtCore/QString>

/*!
 * \brief One instance of the instances file (`config/instances.xml`).
 *
 * A plain value record: the registry vrex_instance_lookup::instances holds
 * one per instance name, and hosts read it there or copy it out. Copies
 * share their strings and map with the original until either side is
 * written (Qt's implicit sharing), so copying is cheap and a copy never
 * changes when the registry does.
 */
class VREX_STYLESHEET_EXPORT instanceInfo
{
public:
    //! An instance with device 0, offset 0, not composite, and empty
    //! strings and groups: what a missing attribute reads as.
    instanceInfo();
    //! Member-wise copy.
    instanceInfo(const instanceInfo &other);
    //! Member-wise assignment; returns this record.
    instanceInfo &operator=(const instanceInfo &other);
    //! Releases the strings and the group map. Virtual: the record's only
    //! virtual function, kept for binary compatibility.
    virtual ~instanceInfo();

    //! Device number: the `device` key of the `ref` attribute, read in
    //! base 10; 0 when missing or not a number.
    int device;
    //! Offset that goes with the device number: the `offset` key of the
    //! `ref` attribute, read as #device is.
    int offset;
    //! True only when the `composite` attribute is exactly `yes`.
    bool composite;
    //! Name of the instance's device type as written in the `type`
    //! attribute; looked up lower-cased in vrex_instance_lookup::deviceTypes.
    QString type;
    //! Name of the instance's complex type (the `complex` key of `ref`), a
    //! key of vrex_instance_lookup::complexTypes; empty when there is none.
    QString complex;
    //! Alternative id: the `alt_id` attribute.
    QString alt_id;
    //! Location text: the `location` attribute.
    QString location;
    //! Group id → instance name, from the `<group id=".." instance=".."/>`
    //! children of a composite instance; empty for any other instance.
    QMap<QString, QString> groups;
};

/*!
 * \brief One parameter of a device type.
 *
 * A plain value record, held in deviceTypeInfo::params under the parameter's
 * name.
 */
class VREX_STYLESHEET_EXPORT paramInfo
{
public:
    //! A parameter with slot 0.
    paramInfo();
    //! Copies the slot.
    paramInfo(const paramInfo &other);
    //! Copies the slot; returns this record.
    paramInfo &operator=(const paramInfo &other);
    //! Does nothing. Virtual: the record's only virtual function, kept for
    //! binary compatibility.
    virtual ~paramInfo();

    //! The parameter's slot: its `slot` attribute, read in base 10; 0 when
    //! missing or not a number. Slot 0 is what lets a complex type redirect
    //! the parameter (vrex_instance_lookup::lookup() with a parameter).
    int slot;
};

/*!
 * \brief One device type, read from its file in `config/devicetypes`.
 *
 * A plain value record, held in vrex_instance_lookup::deviceTypes under the
 * lower-cased file name. A device type whose file could not be read, or was
 * rejected, is registered all the same with the defaults: driver type 0,
 * slot spacing 0, no parameters.
 */
class VREX_STYLESHEET_EXPORT deviceTypeInfo
{
public:
    //! Driver type 0, slot spacing 0, no parameters.
    deviceTypeInfo();
    //! Member-wise copy; the parameter map is shared until written.
    deviceTypeInfo(const deviceTypeInfo &other);
    //! Member-wise assignment; returns this record.
    deviceTypeInfo &operator=(const deviceTypeInfo &other);
    //! Releases the parameter map. Virtual: the record's only virtual
    //! function, kept for binary compatibility.
    virtual ~deviceTypeInfo();

    //! Driver type code from the root's `drivertype` attribute: `serial` 1,
    //! `generic` 2, `router` 3. Only the first letter counts, whatever its
    //! case; any other letter, or no attribute, gives 1. 0 for a file that
    //! could not be read or was rejected.
    int drivertype;
    //! The parameters, keyed by their `name` attribute exactly as written;
    //! of two with one name the later one's slot counts.
    QMap<QString, paramInfo> params;
    //! The root's `slotspacing` attribute in base 10, 0 when missing or not
    //! a number. The library never reads it; it is kept for hosts.
    int slotspacing;
};

/*!
 * \brief One redirection: use parameter #param of instance #device instead.
 *
 * Held in complexInstance::params under the member's own parameter name.
 */
class VREX_STYLESHEET_EXPORT complexParam
{
public:
    //! Both names empty.
    complexParam();
    //! Member-wise copy.
    complexParam(const complexParam &other);
    //! Member-wise assignment; returns this record.
    complexParam &operator=(const complexParam &other);
    //! Releases the strings. Virtual: the record's only virtual function,
    //! kept for binary compatibility.
    virtual ~complexParam();

    //! Name of the target instance (a key of vrex_instance_lookup::instances,
    //! despite the member's name): the redirection's `device` attribute.
    QString device;
    //! Parameter to use on the target instance: the `param` attribute.
    QString param;
};

/*!
 * \brief The redirections of one member instance of a complex type.
 */
class VREX_STYLESHEET_EXPORT complexInstance
{
public:
    //! No redirections.
    complexInstance();
    //! Member-wise copy; the map is shared until written.
    complexInstance(const complexInstance &other);
    //! Member-wise assignment; returns this record.
    complexInstance &operator=(const complexInstance &other);
    //! Releases the map. Virtual: the record's only virtual function, kept
    //! for binary compatibility.
    virtual ~complexInstance();

    //! Redirections keyed by the member's own parameter name (the `id`
    //! attribute of each child of the member element).
    QMap<QString, complexParam> params;
};

/*!
 * \brief One complex type, read from its file in `config/complex_instances`.
 *
 * A complex type whose file could not be read, or whose root element is not
 * named like the file, is registered all the same, without members.
 */
class VREX_STYLESHEET_EXPORT complexType
{
public:
    //! No members.
    complexType();
    //! Member-wise copy; the map is shared until written.
    complexType(const complexType &other);
    //! Member-wise assignment; returns this record.
    complexType &operator=(const complexType &other);
    //! Releases the map. Virtual: the record's only virtual function, kept
    //! for binary compatibility.
    virtual ~complexType();

    //! Members keyed by instance name (the `id` attribute of each child of
    //! the root). A member named twice keeps only the later element's
    //! redirections.
    QMap<QString, complexInstance> members;
};

/*!
 * \brief The instance catalogue of the installation this process runs in.
 *
 * \anchor vrex_lookup_conventions
 * Every member is static and works on the three public registries
 * #instances, #deviceTypes and #complexTypes. The library fills them while
 * it is loaded (before a linked host's `main()`, inside `dlopen()` for a
 * plugin) from the files below `$ZT_ROOT/$ZT_SYSTEM/config`; an object of
 * this class carries nothing.
 *
 * Conventions hosts rely on:
 * - **Loaders return false on every path**, also after a complete load.
 *   Success shows in the registry and in the absence of a diagnostic line.
 *   Loaders merge: they never remove an entry, and a name read again
 *   replaces its record.
 * - **lookupType() returns false when the instance is found**, the
 *   opposite sense of every other query.
 * - Queries return true when what they look for is registered and write
 *   their out-arguments only on the paths each one names. They never
 *   change a registry.
 * - Names are matched exactly, letter case included, except device-type
 *   names, which are lower-cased on both sides.
 * - Nothing here shows a window. Diagnostics go to the debug-output channel
 *   (vrex_debug_output.h) or to the Qt message channel (`qDebug`), as each
 *   function says.
 *
 * \par Threads
 * Nothing is synchronised. Call the library from one thread at a time, and
 * never run a loader, or write a registry, while another call (a lookup
 * included) is running or while a host thread reads a registry.
 *
 * \par Cost
 * A query is a few ordered-map searches (logarithmic in the registry's
 * size); the strings it hands out share the registry's storage rather than
 * being copied. A loader reads each file whole; memory peaks at about
 * four times the file's size while it is parsed, and a file larger than
 * 256 MiB is refused as unreadable.
 */
class VREX_STYLESHEET_EXPORT vrex_instance_lookup
{
public:
    //! Does nothing: all state is in the static registries.
    vrex_instance_lookup();
    //! Does nothing.
    vrex_instance_lookup(const vrex_instance_lookup &other);
    //! Does nothing; returns this object.
    vrex_instance_lookup &operator=(const vrex_instance_lookup &other);
    //! Does nothing. Virtual: the class's only virtual function, kept for
    //! binary compatibility.
    virtual ~vrex_instance_lookup();

    //! \name Instances
    //! @{

    /*!
     * \brief The number of entries in #instances. Constant time.
     *
     * 0 until an instances file has been loaded, and after a load that
     * failed before reading any instance.
     */
    static int countInstances();

    /*!
     * \brief Reads `config/instances.xml` into #instances.
     *
     * The configuration root is taken from `ZT_ROOT` and `ZT_SYSTEM` as the
     * environment (`getenv`) has them at the time of the call. Every child
     * element of the root `<instances>` is one instance, whatever its tag;
     * the registry is not cleared first, and an instance read again
     * replaces its whole record (of several in one file the last wins).
     *
     * A file that cannot be opened, is not well-formed XML anywhere, or
     * whose root is not `instances` changes nothing, and one line says so
     * on the debug-output channel: `vrex_instance_lookup: Could not find the
     * instances`, `... Error in instances file`, `... The instances file is
     * not valid`.
     *
     * \return false, always, also after a complete load.
     */
    static bool loadInstances();

    /*!
     * \brief Writes one Qt debug message per instance, in name order:
     * name, type, device and offset, separated by blanks.
     *
     * Nothing for an empty registry. Linear in the number of instances.
     */
    static void dump();

    //! @}

    //! \name Queries by instance
    //! @{

    /*!
     * \brief The composite flag and the group table of instance \a name.
     *
     * \param name      the instance name, matched exactly.
     * \param composite receives instanceInfo::composite; written only when
     *                  the instance is found.
     * \param groups    replaced (not merged) by instanceInfo::groups, which
     *                  is empty for an instance that is not composite;
     *                  written only when the instance is found.
     * \return true when the instance is registered. No diagnostic either
     *         way.
     */
    static bool lookupComposite(const QString &name, bool &composite,
                                QMap<QString, QString> &groups);

    /*!
     * \brief The instance that group \a id of instance \a name stands for.
     *
     * \param name     the composite instance, matched exactly.
     * \param id       the group id, matched exactly.
     * \param instance receives the group's instance name; written only when
     *                 true is returned.
     * \return true when the instance is registered and has the group. No
     *         diagnostic either way.
     */
    static bool lookupComposite(const QString &name, const QString &id, QString &instance);

    /*!
     * \brief The device type name of instance \a name, **with a reversed
     * result**.
     *
     * \param name the instance name, matched exactly.
     * \param type receives instanceInfo::type as written in the file (not
     *             lower-cased) when the instance is found, and the empty
     *             string when it is not: written on both paths.
     * \return **false when the instance is found**, true when it is not.
     *         Hosts depend on this sense; test the returned type, not the
     *         result. No diagnostic either way.
     */
    static bool lookupType(const QString &name, QString &type);

    /*!
     * \brief The addressing of instance \a name and its device type's driver
     * type code.
     *
     * \param name       the instance name, matched exactly.
     * \param alt_id     receives instanceInfo::alt_id; written only when the
     *                   instance is found.
     * \param device     must not be null. Set to 0 first, then to
     *                   instanceInfo::device when the instance is found.
     * \param offset     must not be null. Set like \a device.
     * \param drivertype may be null. When given and the instance is found,
     *                   receives the low eight bits of the device type's
     *                   deviceTypeInfo::drivertype (a number, not a
     *                   character), or 0 when its device type is not
     *                   registered.
     * \return true when the instance is registered, also when its device
     *         type is not. False when \a device or \a offset is null (then
     *         nothing is written and nothing reported) or when the instance
     *         is not registered: then `vrex_instance_lookup::lookup: Can't
     *         find instance: NAME` goes to the debug-output channel.
     */
    static bool lookup(const QString &name, QString &alt_id, int *device, int *offset,
                       char *drivertype);

    /*!
     * \brief The descriptive fields of instance \a name.
     *
     * All five out-arguments are written when the instance is found, none
     * when it is not.
     *
     * \param name      the instance name, matched exactly.
     * \param alt_id    receives instanceInfo::alt_id.
     * \param location  receives instanceInfo::location.
     * \param type      receives instanceInfo::type as written.
     * \param ref       receives `device=D,offset=O` in decimal (never the
     *                  `complex` key, whatever the file said).
     * \param composite receives instanceInfo::composite.
     * \return true when the instance is registered; otherwise false, and
     *         `vrex_instance_lookup::lookup: Can't find instance: NAME` on
     *         the debug-output channel.
     */
    static bool lookup(const QString &name, QString &alt_id, QString &location,
                       QString &type, QString &ref, bool &composite);

    //! @}

    //! \name Device types
    //! @{

    /*!
     * \brief The number of entries in #deviceTypes. Constant time.
     */
    static int countDeviceTypes();

    /*!
     * \brief Reads every `*.xml` entry of `config/devicetypes` into
     * #deviceTypes.
     *
     * The directory is listed with the extension matched ignoring case,
     * sorted by name ignoring case; each entry is read with
     * loadDeviceParams() and stored under its name without the extension,
     * lower-cased, replacing what that key held. An entry whose file cannot
     * be read or is rejected is stored with the defaults (driver type 0, no
     * parameters). Entries of files that are gone stay; nothing is removed.
     * A missing or empty directory changes nothing and reports nothing.
     *
     * Cost: one directory listing and one file read per entry.
     *
     * \return false, always, also after a complete load.
     */
    static bool loadDeviceTypes();

    /*!
     * \brief Reads the file of device type \a name into \a info.
     *
     * The file is `config/devicetypes/NAME.xml`, found also when its name
     * on disk differs in letter case. On success, deviceTypeInfo::drivertype
     * and deviceTypeInfo::slotspacing are overwritten and the parameters are
     * merged into \a info's (parameters of other names stay). When the file
     * cannot be opened, is not well-formed, or its root is not
     * `device_description`, \a info is left as it was and one line goes to
     * the Qt message channel: `vrex_instance_lookup: Could not find the
     * device description - NAME`, `... Error in device type file - NAME`,
     * `... The device_description file is not valid - NAME`.
     *
     * Does not touch #deviceTypes.
     *
     * \return false, always, also when the file was read completely.
     */
    static bool loadDeviceParams(const QString &name, deviceTypeInfo &info);

    //! @}

    //! \name Complex types
    //! @{

    /*!
     * \brief The number of entries in #complexTypes. Constant time.
     */
    static int countComplexTypes();

    /*!
     * \brief Reads every `*.xml` entry of `config/complex_instances` into
     * #complexTypes.
     *
     * Listed as loadDeviceTypes() lists; each entry is read with
     * loadComplexType() and its members replace those of the entry under
     * its name without the extension, **letter case kept**. An entry whose
     * file fails is still registered, without members. Nothing is removed.
     *
     * \return false, always, also after a complete load.
     */
    static bool loadComplexTypes();

    /*!
     * \brief Reads the file of complex type \a name into \a type.
     *
     * The file is `config/complex_instances/NAME.xml`, found also when its
     * name on disk differs in letter case; its root element must be named
     * exactly \a name. Each member read replaces that member of \a type
     * whole; members of other names stay. When the file cannot be opened,
     * is not well-formed, or its root is named otherwise, \a type is left as
     * it was and one line goes to the Qt message channel:
     * `vrex_instance_lookup: Could not find the complex instances - NAME`,
     * `... Error in device type file - NAME`, `... The device_description
     * file is not valid - NAME` (the last two worded as for device types).
     *
     * Does not touch #complexTypes.
     *
     * \return false, always, also when the file was read completely.
     */
    static bool loadComplexType(const QString &name, complexType &type);

    //! @}

    //! \name Queries by instance and parameter
    //! @{

    /*!
     * \brief Resolves instance \a name and parameter \a param to the numbers
     * that address it, following complex-type redirections.
     *
     * The instance's device type gives the parameter's slot. When that slot
     * is 0 and the instance names a complex type, the complex type's member
     * \a name may redirect \a param to a parameter of another instance; the
     * lookup then goes on there, as often as the chain requires, and the
     * outputs end up holding the numbers of the last instance reached.
     * A chain of any length is followed without growing the stack; one that
     * comes back to an instance and parameter it has already visited stops:
     * false, with `vrex_instance_lookup::lookup: redirection cycle at
     * INSTANCE.PARAMETER` on the debug-output channel.
     *
     * \param name       the instance name, matched exactly.
     * \param param      the parameter name, matched exactly; may be empty.
     * \param alt_id     receives the alt_id of the instance \a name (never
     *                   of a redirection's target); written when that
     *                   instance is found.
     * \param device     must not be null. Set to 0 at each instance of the
     *                   chain, then to its instanceInfo::device when it is
     *                   found.
     * \param offset     must not be null. Set like \a device.
     * \param slot       may be null. When null, or \a param is empty, the
     *                   call returns true once the instance is found and
     *                   writes neither \a slot nor \a drivertype. Otherwise
     *                   set to 0 at each instance found, then to the
     *                   parameter's slot when the parameter is found.
     * \param drivertype may be null. Written, at each instance whose device
     *                   type is registered, with the low eight bits of its
     *                   driver type code; left alone when the device type is
     *                   not registered.
     * \return true when the last instance and its parameter were found
     *         (slot not 0, or no redirection to follow). False when an
     *         instance, its device type, its parameter, or a redirection
     *         for a slot-0 parameter of an instance with a complex type is
     *         missing, on a cycle, and when \a device or \a offset is null.
     *
     * Diagnostics, on the debug-output channel: `vrex_instance_lookup::lookup:
     * no device return value` or `... no offset return value` for a null
     * pointer (nothing is written then), and `vrex_instance_lookup::lookup:
     * can't find instance` followed by a line feed and the name for an
     * instance that is not registered. The other failures report nothing.
     *
     * Cost: four or five map searches per hop. Chains of up to three hops
     * over ASCII device-type names allocate no memory.
     */
    static bool lookup(const QString &name, const QString &param, QString &alt_id,
                       int *device, int *offset, int *slot, char *drivertype);

    /*!
     * \brief Follows the redirection of parameter \a param of member
     * \a member in complex type \a complexName, as lookup() does for a
     * slot-0 parameter.
     *
     * When the complex type, the member or the redirection is not
     * registered, returns false and writes nothing, without a diagnostic.
     * Otherwise returns what lookup() returns for the redirection's target
     * instance and parameter, with the same out-arguments; \a alt_id then
     * receives the alt_id of that first target instance.
     */
    static bool lookupComplex(const QString &complexName, const QString &member,
                              const QString &param, QString &alt_id, int *device,
                              int *offset, int *slot, char *drivertype);

    //! @}

    /*!
     * \brief Registry of the instances, keyed by instance name exactly as
     * written in the `id` attribute (an instance without one is stored under
     * the empty name).
     *
     * Public: hosts may read it directly. Filled while the library is
     * loaded, changed only by loadInstances(); a copy taken earlier keeps
     * its content. Reading it while a loader runs on another thread is a
     * data race.
     */
    static QMap<QString, instanceInfo> instances;
    /*!
     * \brief Registry of the device types, keyed by file name without the
     * extension, **lower-cased**.
     *
     * Public: hosts may read it directly, for instance for
     * deviceTypeInfo::slotspacing, which no query returns. Changed only by
     * loadDeviceTypes().
     */
    static QMap<QString, deviceTypeInfo> deviceTypes;
    /*!
     * \brief Registry of the complex types, keyed by file name without the
     * extension, letter case kept.
     *
     * Public: hosts may read it directly. Changed only by
     * loadComplexTypes().
     */
    static QMap<QString, complexType> complexTypes;
};

#endif // VREX_INSTANCE_LOOKUP_H
