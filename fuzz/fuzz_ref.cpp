// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The "ref" attribute tokenizer over arbitrary bytes taken as UTF-8 (invalid
// sequences and NULs included; the reader only ever passes valid UTF-8),
// compared with the format's definition written the plain way on the
// decoded text: split at ',' and '=' dropping empty parts, nothing trimmed,
// QString::toInt in base 10, later keys win.
#include "fuzz_support.h"

#include "instance_lookup/instances_parser.h"

#include <QtCore/QStringDecoder>


namespace {

instanceInfo referenceRef(const QString &ref)
{
    instanceInfo info;
    const QStringList pieces = ref.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        const QStringList parts = piece.split(QLatin1Char('='), Qt::SkipEmptyParts);
        if (parts.isEmpty())
            continue; // only '=' signs: no key
        const QString &key = parts.at(0);
        const QString value = parts.size() > 1 ? parts.at(1) : QString();
        if (key == QLatin1String("device"))
            info.device = value.toInt(nullptr, 10);
        else if (key == QLatin1String("offset"))
            info.offset = value.toInt(nullptr, 10);
        else if (key == QLatin1String("complex"))
            info.complex = value;
    }
    return info;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    vrexfuzz::silenceDiagnostics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = vrexfuzz::bytesOf(data, size);
    // A leading U+FEFF is text here, not a byte-order mark, and a sequence
    // cut off at the end is a replacement character, not pending input.
    const QString ref = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom
                                                                     | QStringDecoder::Flag::Stateless)(bytes);

    instanceInfo info;
    vrex::applyRef(bytes, info);
    const instanceInfo expected = referenceRef(ref);

    VREX_FUZZ_CHECK(info.device == expected.device, ref);
    VREX_FUZZ_CHECK(info.offset == expected.offset, ref);
    VREX_FUZZ_CHECK(info.complex == expected.complex, ref);
    // The tokenizer writes only what "ref" defines.
    const instanceInfo untouched;
    VREX_FUZZ_CHECK(info.composite == untouched.composite && info.type.isNull()
                    && info.alt_id.isNull() && info.location.isNull() && info.groups.isEmpty());
    return 0;
}
