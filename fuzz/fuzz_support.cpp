#include "fuzz_support.h"

#include "frame/document_limits.h"

#include <vrex_stylesheet/vrex_debug_output.h>

#include <QtCore/QXmlStreamReader>
#include <QtCore/QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

void dropDebugOutput(const char *) { }

void dropQtMessage(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

// The attach sequence runs while the library's statics are initialised,
// before LLVMFuzzerInitialize; this hook is the library's way of letting the
// host route those lines, and the right moment to mute Qt messages too.
extern "C" vrex_debug_output_handler vrex_startup_debug_output_handler(void)
{
    qInstallMessageHandler(&dropQtMessage);
    return &dropDebugOutput;
}

namespace vrexfuzz {

void silenceDiagnostics()
{
    qInstallMessageHandler(&dropQtMessage);
    vrex_install_debug_output_handler(&dropDebugOutput);
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
    return attributes.value(attributeName).toString();
}

XmlOutline outlineOf(const QByteArray &data, int depth)
{
    XmlOutline outline;
    // The library refuses documents that would cost far more than their
    // size before reading them, and reports them as not well-formed. That
    // policy has tests of its own; here it only decides the expected status
    // (and spares the outline the costly read).
    if (!vrex::refusalForCostlyDocument(data).isEmpty())
        return outline;

    QXmlStreamReader reader(data);
    reader.setNamespaceProcessing(false);

    // Path from the root to the element being read; null entries stand for
    // elements below the outline's depth.
    QVector<OutlineElement *> open;
    bool seenRoot = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            OutlineElement *element = nullptr;
            if (!seenRoot) {
                seenRoot = true;
                element = &outline.root;
            } else if (open.size() <= depth && open.last()) {
                open.last()->children.append(OutlineElement());
                element = &open.last()->children.last();
            }
            if (element) {
                element->name = reader.qualifiedName().toString();
                element->attributes = reader.attributes();
            }
            open.append(element);
            break;
        }
        case QXmlStreamReader::EndElement:
            open.removeLast();
            break;
        default:
            break;
        }
    }
    outline.wellFormed = seenRoot && !reader.hasError();
    return outline;
}

vrex::ParseStatus expectedStatus(const XmlOutline &outline, QStringView rootName)
{
    if (!outline.wellFormed)
        return vrex::ParseStatus::NotWellFormed;
    return outline.root.name == rootName ? vrex::ParseStatus::Ok : vrex::ParseStatus::WrongRoot;
}

} // namespace vrexfuzz
