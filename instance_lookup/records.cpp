// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The value records of the instance catalogue. Copies are member-wise; Qt's
// implicit sharing keeps them cheap and independent.
#include <vrex_stylesheet/vrex_instance_lookup.h>

instanceInfo::instanceInfo() : device(0), offset(0), composite(false) { }
instanceInfo::instanceInfo(const instanceInfo &other) = default;
instanceInfo &instanceInfo::operator=(const instanceInfo &other) = default;
instanceInfo::~instanceInfo() = default;

// slot is never read before the loader sets it; 0 keeps copies well-defined.
paramInfo::paramInfo() : slot(0) { }
paramInfo::paramInfo(const paramInfo &other) = default;
paramInfo &paramInfo::operator=(const paramInfo &other) = default;
paramInfo::~paramInfo() = default;

deviceTypeInfo::deviceTypeInfo() : drivertype(0), slotspacing(0) { }
deviceTypeInfo::deviceTypeInfo(const deviceTypeInfo &other) = default;
deviceTypeInfo &deviceTypeInfo::operator=(const deviceTypeInfo &other) = default;
deviceTypeInfo::~deviceTypeInfo() = default;

complexParam::complexParam() = default;
complexParam::complexParam(const complexParam &other) = default;
complexParam &complexParam::operator=(const complexParam &other) = default;
complexParam::~complexParam() = default;

complexInstance::complexInstance() = default;
complexInstance::complexInstance(const complexInstance &other) = default;
complexInstance &complexInstance::operator=(const complexInstance &other) = default;
complexInstance::~complexInstance() = default;

complexType::complexType() = default;
complexType::complexType(const complexType &other) = default;
complexType &complexType::operator=(const complexType &other) = default;
complexType::~complexType() = default;

