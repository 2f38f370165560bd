// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "fuzz_support.h"

#include <QtCore/QStringDecoder>
#include <QtCore/QtGlobal>

#include <cstdio>
#include <cstdlib>

#define XML_DTD
#include <expat.h>

namespace {

void dropQtMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

namespace vrexfuzz {

void silenceDiagnostics()
{
    qInstallMessageHandler(&dropQtMessage);
}

QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "\n*** invariant broken: %s\n", what);
    if (!detail.isEmpty())
        std::fprintf(stderr, "*** %s\n", detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

QString OutlineElement::attribute(QLatin1StringView attributeName) const
{
    for (const auto &[name, value] : attributes) {
        if (name == attributeName)
            return value;
    }
    return QString();
}

namespace {

struct OutlineState
{
    XmlOutline *outline;
    int depth;
    // Path from the root to the element being read; null entries stand for
    // elements below the outline's depth.
    QVector<OutlineElement *> open;
};

void XMLCALL outlineStart(void *userData, const XML_Char *name, const XML_Char **attributes)
{
    auto *state = static_cast<OutlineState *>(userData);
    OutlineElement *element = nullptr;
    if (state->open.isEmpty()) {
        element = &state->outline->root;
    } else if (state->open.size() <= state->depth && state->open.last()) {
        element = &state->open.last()->children.emplace_back();
    }
    if (element) {
        // A leading U+FEFF is text here, not a byte-order mark.
        const auto text = [](const char *utf8) -> QString {
            return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom)
                    .decode(QByteArrayView(utf8));
        };
        element->name = text(name);
        for (const XML_Char **a = attributes; *a; a += 2)
            element->attributes.append({text(a[0]), text(a[1])});
    }
    state->open.append(element);
}

void XMLCALL outlineEnd(void *userData, const XML_Char *)
{
    static_cast<OutlineState *>(userData)->open.removeLast();
}

int XMLCALL outlineEncoding(void *, const XML_Char *name, XML_Encoding *info)
{
    QStringDecoder decoder(name);
    if (!decoder.isValid())
        return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = char(byte);
        const QString text = QStringDecoder(name).decode(QByteArrayView(&c, 1));
        info->map[byte] = text.size() == 1 && !text[0].isSurrogate() && text[0] != QChar(0xFFFD)
                ? text[0].unicode() : -1;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

} // namespace

XmlOutline outlineOf(const QByteArray &data, int depth)
{
    XmlOutline outline;
    OutlineState state{&outline, depth, {}};
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, outlineStart, outlineEnd);
    XML_SetUnknownEncodingHandler(parser, outlineEncoding, nullptr);
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(parser, 100.0f);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(parser, 8u << 20);
    outline.wellFormed = XML_Parse(parser, data.constData(), int(data.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return outline;
}

vrex::xml::Status expectedStatus(const XmlOutline &outline, QStringView rootName)
{
    if (!outline.wellFormed)
        return vrex::xml::Status::NotWellFormed;
    return outline.root.name == rootName ? vrex::xml::Status::Ok : vrex::xml::Status::WrongRoot;
}

} // namespace vrexfuzz
