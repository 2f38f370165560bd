// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "xml/document_reader.h"

#include <QtCore/QFile>
#include <QtCore/QList>
#include <QtCore/QStringDecoder>

// Debian's expat is built with DTD support; the header shows the calls that
// come with it (the amplification limits) only when told so.
#ifndef XML_DTD
#define XML_DTD
#endif
#include <expat.h>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrex::xml {

namespace {

// Entity expansion may make a document at most this many times its size
// once the expansion exceeds the threshold (expat's own defaults, set here
// so that a library update cannot loosen them): a few kilobytes of nested
// entities cannot turn into gigabytes in every GUI process that starts.
constexpr float kMaxAmplification = 100.0f;
constexpr unsigned long long kAmplificationThreshold = 8ull * 1024 * 1024;

// Bytes asked of a file after its announced size, should it have grown.
constexpr int kFollowUpChunk = 1 << 20;

struct ReadState
{
    XML_Parser parser;
    const ReadPolicy &policy;
    ElementHandler &handler;
    int depth = 0; // of the next start tag: the root is 0
    bool delivering = true;
    bool wrongRoot = false;
    QByteArray root = {}; // as written, when it is the wrong one
    Position rootAt = {};
    // Comments wait here for the next start tag, whose position they get.
    struct Comment
    {
        QByteArray text;
        Position at;
    };
    QList<Comment> comments = {};
};

Position currentPosition(XML_Parser parser)
{
    return {qint64(XML_GetCurrentLineNumber(parser)), qint64(XML_GetCurrentColumnNumber(parser)) + 1};
}

void passComments(ReadState &state, Position next)
{
    for (const ReadState::Comment &comment : std::as_const(state.comments))
        state.handler.comment(comment.text, comment.at, next);
    state.comments.clear();
}

void XMLCALL onComment(void *userData, const XML_Char *text)
{
    auto *state = static_cast<ReadState *>(userData);
    // A position costs a pass over the bytes before it: only for the
    // comments the handler keeps.
    if (state->handler.keepsComment(QByteArrayView(text)))
        state->comments.append({QByteArray(text), currentPosition(state->parser)});
}

void XMLCALL onStart(void *userData, const XML_Char *name, const XML_Char **attributes)
{
    auto *state = static_cast<ReadState *>(userData);
    if (!state->comments.isEmpty())
        passComments(*state, currentPosition(state->parser));
    const int depth = state->depth++;
    if (!state->delivering || depth > state->policy.deepest)
        return;
    if (depth == 0 && QByteArrayView(name) != QByteArrayView(state->policy.root)) {
        state->wrongRoot = true;
        state->root = name;
        state->rootAt = Element(name, attributes, depth, state->parser).position();
        state->delivering = state->policy.readOtherRoots;
        if (!state->delivering)
            return;
    }
    state->handler.startElement(Element(name, attributes, depth, state->parser));
}

void XMLCALL onText(void *userData, const XML_Char *text, int length)
{
    auto *state = static_cast<ReadState *>(userData);
    if (state->delivering)
        state->handler.text(QByteArrayView(text, length), state->depth - 1);
}

void XMLCALL onEnd(void *userData, const XML_Char *)
{
    --static_cast<ReadState *>(userData)->depth;
}

// Encodings expat does not know itself: single-byte ones, such as
// windows-1252, decoded byte by byte with Qt. expat refuses a table that
// does not keep ASCII as it is.
int XMLCALL onUnknownEncoding(void *, const XML_Char *name, XML_Encoding *info)
{
    QStringDecoder decoder(name);
    if (!decoder.isValid())
        return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = char(byte);
        decoder.resetState();
        const QString decoded = decoder.decode(QByteArrayView(&c, 1));
        // A byte that is no character of its own (a lead byte of a
        // multi-byte encoding, or unassigned) is invalid wherever it occurs.
        const bool single = decoded.size() == 1 && !decoded.front().isSurrogate()
                && decoded.front() != QChar::ReplacementCharacter;
        info->map[byte] = single ? decoded.front().unicode() : -1;
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

class Parser
{
public:
    Parser(const ReadPolicy &policy, ElementHandler &handler)
        : m_parser(XML_ParserCreate(nullptr)), m_state{m_parser, policy, handler}
    {
        XML_SetUserData(m_parser, &m_state);
        XML_SetElementHandler(m_parser, onStart, onEnd);
        XML_SetUnknownEncodingHandler(m_parser, onUnknownEncoding, nullptr);
        if (policy.text)
            XML_SetCharacterDataHandler(m_parser, onText);
        if (handler.wantsComments())
            XML_SetCommentHandler(m_parser, onComment);
        // No external entity handler: external entities and DTDs are
        // never read, and parameter entities are not parsed.
        XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
        XML_SetBillionLaughsAttackProtectionMaximumAmplification(m_parser, kMaxAmplification);
        XML_SetBillionLaughsAttackProtectionActivationThreshold(m_parser, kAmplificationThreshold);
    }
    ~Parser() { XML_ParserFree(m_parser); }
    Parser(const Parser &) = delete;
    Parser &operator=(const Parser &) = delete;

    XML_Parser get() const { return m_parser; }
    // Comments after the last start tag, or before a fault.
    void endComments() { passComments(m_state, {}); }

    Result fault() const
    {
        Result result;
        result.status = Status::NotWellFormed;
        result.reason = QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(m_parser)));
        result.at = {qint64(XML_GetCurrentLineNumber(m_parser)),
                     qint64(XML_GetCurrentColumnNumber(m_parser)) + 1};
        return result;
    }

    Result verdict() const
    {
        Result result;
        if (m_state.wrongRoot) {
            result.status = Status::WrongRoot;
            result.root = QString::fromUtf8(m_state.root);
            result.at = m_state.rootAt;
        }
        return result;
    }

private:
    XML_Parser m_parser;
    ReadState m_state;
};

Result unreadable()
{
    Result result;
    result.status = Status::Unreadable;
    return result;
}

// Fills buffer from fd; the count read, or -1 on an error.
qint64 readFully(int fd, char *buffer, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size_t(size - done));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        done += n;
    }
    return done;
}

Result readBytes(QByteArrayView bytes, Parser &parser, ElementHandler &handler)
{
    handler.expectBytes(bytes.size());
    qsizetype done = 0;
    do {
        const int chunk = int(qMin<qsizetype>(bytes.size() - done, INT_MAX));
        const bool last = done + chunk == bytes.size();
        if (XML_Parse(parser.get(), bytes.data() + done, chunk, last) == XML_STATUS_ERROR)
            return parser.fault();
        done += chunk;
    } while (done < bytes.size());
    return parser.verdict();
}

// The file goes straight into expat's buffer, in one piece as large as the
// file says it is: no copy of it on our side, and no large token cut
// across pieces (expat would scan such a token again for every piece).
Result readFile(const QString &path, Parser &parser, ElementHandler &handler)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; for a regular
    // file it changes nothing.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return unreadable();
    struct FdCloser
    {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};

    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return unreadable();
    // Refused before a byte is read: a sparse or runaway file must not cost
    // every process that loads the installation its memory and start-up time.
    if (qint64(status.st_size) > kMaxDocumentBytes) {
        Result result = unreadable();
        result.reason = QStringLiteral("the file is %1 MiB, more than the %2 MiB a configuration file may be")
                                .arg(qint64(status.st_size) >> 20)
                                .arg(kMaxDocumentBytes >> 20);
        return result;
    }

    handler.expectBytes(status.st_size);
    // One byte more than announced tells a file that grew meanwhile.
    qint64 want = qBound(qint64(1), qint64(status.st_size) + 1, qint64(INT_MAX / 2));
    for (;;) {
        void *buffer = XML_GetBuffer(parser.get(), int(want));
        if (!buffer)
            return parser.fault();
        const qint64 got = readFully(fd, static_cast<char *>(buffer), want);
        if (got < 0)
            return unreadable();
        // Fewer bytes than asked for: the file has ended. Saying so to expat
        // in the same call matters: after a piece that is not the last,
        // expat counts lines and columns over everything it consumed.
        const bool last = got < want;
        if (XML_ParseBuffer(parser.get(), int(got), last) == XML_STATUS_ERROR)
            return parser.fault();
        if (last)
            return parser.verdict();
        want = kFollowUpChunk;
    }
}

} // namespace

Position Element::position() const
{
    return currentPosition(static_cast<XML_Parser>(m_parser));
}

qint64 Element::byteOffset() const
{
    return qint64(XML_GetCurrentByteIndex(static_cast<XML_Parser>(m_parser)));
}

Result readDocument(const Source &source, const ReadPolicy &policy, ElementHandler &handler)
{
    Parser parser(policy, handler);
    const Result result = source.isFile() ? readFile(source.path(), parser, handler)
                                          : readBytes(source.bytes(), parser, handler);
    parser.endComments();
    return result;
}

} // namespace vrex::xml
