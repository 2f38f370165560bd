#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""Validates the JSON on stdin against a JSON Schema (the keywords the
schemas here use), with the standard library only. Prints each violation
with its path; exit status 1 when there is one.

usage: validate_json.py SCHEMA < DOCUMENT
"""
import json
import re
import sys

TYPES = {"object": dict, "array": list, "string": str, "boolean": bool, "null": type(None)}


def errors(value, schema, root, path):
    if "$ref" in schema:
        schema = root["$defs"][schema["$ref"].rsplit("/", 1)[1]]
    kind = schema.get("type")
    if kind == "integer":
        if not isinstance(value, int) or isinstance(value, bool):
            return [f"{path}: not an integer"]
    elif kind and not isinstance(value, TYPES[kind]) or kind == "object" and isinstance(value, bool):
        return [f"{path}: not of type {kind}"]
    found = []
    if "const" in schema and value != schema["const"]:
        found.append(f"{path}: is not {schema['const']!r}")
    if "enum" in schema and value not in schema["enum"]:
        found.append(f"{path}: {value!r} is none of {schema['enum']}")
    if "minimum" in schema and value < schema["minimum"]:
        found.append(f"{path}: {value} is below {schema['minimum']}")
    if isinstance(value, str):
        if len(value) < schema.get("minLength", 0):
            found.append(f"{path}: shorter than {schema['minLength']}")
        if "pattern" in schema and not re.search(schema["pattern"], value):
            found.append(f"{path}: {value!r} does not match {schema['pattern']}")
    if isinstance(value, list):
        if len(value) < schema.get("minItems", 0):
            found.append(f"{path}: fewer than {schema['minItems']} items")
        for i, item in enumerate(value):
            found += errors(item, schema.get("items", {}), root, f"{path}[{i}]")
    if isinstance(value, dict):
        found += [f"{path}: '{key}' is missing" for key in schema.get("required", []) if key not in value]
        properties = schema.get("properties", {})
        extra = schema.get("additionalProperties", True)
        for key, item in value.items():
            if key in properties:
                found += errors(item, properties[key], root, f"{path}.{key}")
            elif extra is False:
                found.append(f"{path}: '{key}' is not allowed")
            elif isinstance(extra, dict):
                found += errors(item, extra, root, f"{path}.{key}")
    return found


def main():
    with open(sys.argv[1], encoding="utf-8") as file:
        schema = json.load(file)
    found = errors(json.load(sys.stdin), schema, schema, "$")
    print("\n".join(found))
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
