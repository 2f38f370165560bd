// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "lsp/language_server.h"

#include "installation/installation_layout.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QMap>
#include <QtCore/QUrl>

#include <exception>

namespace vrexctl::lsp {

namespace {

// JSON-RPC's and the protocol's error codes.
enum ErrorCode {
    ParseError = -32700,
    InvalidRequest = -32600,
    MethodNotFound = -32601,
    InvalidParams = -32602,
    InternalError = -32603,
    ServerNotInitialized = -32002,
};

// A request whose params lack what it needs.
struct BadParams
{
    QString message;
};

QString pathOf(const QString &uri)
{
    const QUrl url(uri);
    if (!url.isLocalFile())
        return {};
    return QDir::cleanPath(url.toLocalFile());
}

QString textDocumentUri(const QJsonObject &params)
{
    const QString uri = params[QLatin1String("textDocument")][QLatin1String("uri")].toString();
    if (uri.isEmpty())
        throw BadParams{QStringLiteral("textDocument.uri is missing")};
    return uri;
}

constexpr int kDefaultDebounceMs = 150;

} // namespace

QString findConfigRoot(const QString &path)
{
    const QFileInfo info(path);
    const auto holdsConfig = [](const QString &directory) {
        return QFileInfo(vrex::layout::path(directory, vrex::layout::kConfigDir)).isDir();
    };
    QDir directory(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
    const QString start = directory.absolutePath();
    for (;;) {
        if (holdsConfig(directory.absolutePath()))
            return directory.absolutePath();
        if (!directory.cdUp())
            break;
    }
    if (!info.isDir())
        return {};
    QString found;
    const QStringList children = QDir(start).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &child : children) {
        const QString candidate = start + QLatin1Char('/') + child;
        if (holdsConfig(candidate)) {
            if (!found.isNull())
                return {}; // which one is meant is for the first opened file to say
            found = candidate;
        }
    }
    return found;
}

LanguageServer::LanguageServer(std::function<void(const QByteArray &)> write, QObject *parent)
    : QObject(parent), m_write(std::move(write))
{
    m_debounce.setSingleShot(true);
    m_debounce.setInterval(kDefaultDebounceMs);
    connect(&m_debounce, &QTimer::timeout, this, &LanguageServer::flush);
}

LanguageServer::~LanguageServer() = default;

void LanguageServer::send(const QJsonObject &message)
{
    m_write(frameMessage(message));
}

void LanguageServer::respond(const QJsonValue &id, const QJsonValue &result)
{
    send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")}, {QStringLiteral("id"), id},
          {QStringLiteral("result"), result}});
}

void LanguageServer::respondError(const QJsonValue &id, int code, const QString &message)
{
    send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
          {QStringLiteral("id"), id},
          {QStringLiteral("error"), QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}}}});
}

void LanguageServer::receive(const QByteArray &bytes)
{
    m_reader.append(bytes);
    while (!hasExited()) {
        const MessageReader::Frame frame = m_reader.next();
        if (frame.kind == MessageReader::Frame::None)
            return;
        if (frame.kind == MessageReader::Frame::BadHeader) {
            respondError(QJsonValue::Null, ParseError, QStringLiteral("cannot read the message: ") + frame.error);
            continue;
        }
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(frame.body, &error);
        if (error.error != QJsonParseError::NoError) {
            respondError(QJsonValue::Null, ParseError, QStringLiteral("not JSON: ") + error.errorString());
            continue;
        }
        if (!document.isObject()) {
            // Batches are no part of the protocol.
            respondError(QJsonValue::Null, InvalidRequest, QStringLiteral("a message is one JSON object"));
            continue;
        }
        handle(document.object());
    }
}

void LanguageServer::handle(const QJsonObject &message)
{
    const QJsonValue id = message.value(QLatin1String("id"));
    const bool isRequest = message.contains(QLatin1String("id"));
    const QJsonValue method = message.value(QLatin1String("method"));
    if (message.value(QLatin1String("jsonrpc")).toString() != QLatin1String("2.0") || !method.isString()
        || (isRequest && !id.isString() && !id.isDouble())) {
        // Answers to requests of ours (there are none) carry no method.
        if (!method.isUndefined() || !isRequest)
            respondError(id.isString() || id.isDouble() ? id : QJsonValue(QJsonValue::Null), InvalidRequest,
                         QStringLiteral("not a JSON-RPC 2.0 request or notification"));
        return;
    }
    const QString name = method.toString();
    const QJsonObject params = message.value(QLatin1String("params")).toObject();
    try {
        if (!isRequest) {
            notification(name, params);
            return;
        }
        if (m_state == State::Starting && name != QLatin1String("initialize")) {
            respondError(id, ServerNotInitialized, QStringLiteral("initialize first"));
            return;
        }
        if (m_state == State::ShutDown) {
            respondError(id, InvalidRequest, QStringLiteral("the server is shut down; only exit is taken"));
            return;
        }
        const QJsonValue result = request(name, params);
        if (result.isUndefined())
            respondError(id, MethodNotFound, QStringLiteral("no method %1").arg(name));
        else
            respond(id, result);
    } catch (const BadParams &bad) {
        if (isRequest)
            respondError(id, InvalidParams, bad.message);
    } catch (const std::exception &exception) {
        if (isRequest)
            respondError(id, InternalError, QString::fromLocal8Bit(exception.what()));
    }
}

QJsonValue LanguageServer::request(const QString &method, const QJsonObject &params)
{
    if (method == QLatin1String("initialize")) {
        if (m_state != State::Starting)
            throw BadParams{QStringLiteral("initialize came twice")};
        return initialize(params);
    }
    if (method == QLatin1String("shutdown")) {
        m_debounce.stop();
        m_state = State::ShutDown;
        return QJsonValue::Null;
    }
    const bool known = method == QLatin1String("textDocument/hover")
            || method == QLatin1String("textDocument/definition") || method == QLatin1String("textDocument/references")
            || method == QLatin1String("textDocument/completion") || method == QLatin1String("textDocument/codeAction");
    if (!known)
        return QJsonValue::Undefined;
    // Answers are about the text the client has now.
    flush();
    OpenDocument *document = documentAt(params);
    if (!document || !m_check) {
        if (method == QLatin1String("textDocument/completion"))
            return QJsonObject{{QStringLiteral("isIncomplete"), false}, {QStringLiteral("items"), QJsonArray()}};
        return method == QLatin1String("textDocument/hover") || method == QLatin1String("textDocument/definition")
                ? QJsonValue(QJsonValue::Null)
                : QJsonValue(QJsonArray());
    }
    const Position position = Position::fromJson(params[QLatin1String("position")]);
    if (method == QLatin1String("textDocument/hover"))
        return hover(*m_check, *document, position);
    if (method == QLatin1String("textDocument/definition"))
        return definition(*m_check, *document, position);
    if (method == QLatin1String("textDocument/references")) {
        return references(*m_check, *document, position,
                          params[QLatin1String("context")][QLatin1String("includeDeclaration")].toBool());
    }
    if (method == QLatin1String("textDocument/completion"))
        return completion(*m_check, *document, position);
    QList<Finding> findings;
    for (const Finding &finding : m_check->findings()) {
        if (finding.place.file == document->path)
            findings.append(finding);
    }
    return codeActions(findings, *document, Range::fromJson(params[QLatin1String("range")]), m_docs);
}

void LanguageServer::notification(const QString &method, const QJsonObject &params)
{
    if (method == QLatin1String("exit")) {
        m_debounce.stop();
        m_exitCode = m_state == State::ShutDown ? 0 : 1;
        Q_EMIT exited(m_exitCode);
        return;
    }
    // Before initialize, notifications are dropped; after shutdown too.
    if (m_state != State::Running)
        return;
    if (method == QLatin1String("textDocument/didOpen"))
        open(params);
    else if (method == QLatin1String("textDocument/didChange"))
        change(params);
    else if (method == QLatin1String("textDocument/didClose"))
        close(params);
    else if (method == QLatin1String("workspace/didChangeWatchedFiles") && m_check) {
        // Files changed on disk, perhaps added or removed: all again.
        m_checkedOnce = false;
        m_debounce.start();
    }
    // initialized, didSave, $/cancelRequest, $/setTrace and the like need
    // nothing: the buffers are the text, and requests are answered at once.
}

QJsonObject LanguageServer::initialize(const QJsonObject &params)
{
    m_state = State::Running;
    const QJsonObject options = params[QLatin1String("initializationOptions")].toObject();
    if (options.contains(QLatin1String("debounceMs")))
        setDebounce(options[QLatin1String("debounceMs")].toInt(kDefaultDebounceMs));
    m_docs = options[QLatin1String("codeDocs")].toString();
    if (m_docs.isEmpty())
        m_docs = QStringLiteral(VREXCTL_CODE_DOCS);

    if (!m_fixedRoot.isEmpty()) {
        m_check = std::make_unique<WorkspaceCheck>(m_fixedRoot);
    } else {
        QStringList candidates;
        for (const QJsonValue &folder : params[QLatin1String("workspaceFolders")].toArray())
            candidates.append(pathOf(folder[QLatin1String("uri")].toString()));
        candidates.append(pathOf(params[QLatin1String("rootUri")].toString()));
        candidates.append(params[QLatin1String("rootPath")].toString());
        // None found: the first opened file's installation is the one.
        for (const QString &candidate : std::as_const(candidates)) {
            const QString root = candidate.isEmpty() ? QString() : findConfigRoot(candidate);
            if (!root.isEmpty()) {
                m_check = std::make_unique<WorkspaceCheck>(root);
                break;
            }
        }
    }
    if (m_check)
        m_debounce.start(0); // the first whole check, once the client has settled in

    const QJsonObject capabilities{
            {QStringLiteral("positionEncoding"), QStringLiteral("utf-16")},
            {QStringLiteral("textDocumentSync"),
             QJsonObject{{QStringLiteral("openClose"), true},
                         {QStringLiteral("change"), 2}, // incremental
                         {QStringLiteral("save"), QJsonObject{{QStringLiteral("includeText"), false}}}}},
            {QStringLiteral("hoverProvider"), true},
            {QStringLiteral("definitionProvider"), true},
            {QStringLiteral("referencesProvider"), true},
            {QStringLiteral("completionProvider"),
             QJsonObject{{QStringLiteral("triggerCharacters"),
                          QJsonArray{QStringLiteral("\""), QStringLiteral("="), QStringLiteral(","),
                                     QStringLiteral(" ")}}}},
            {QStringLiteral("codeActionProvider"),
             QJsonObject{{QStringLiteral("codeActionKinds"), QJsonArray{QStringLiteral("quickfix")}}}},
    };
    return {{QStringLiteral("capabilities"), capabilities},
            {QStringLiteral("serverInfo"),
             QJsonObject{{QStringLiteral("name"), QStringLiteral("vrexctl")},
                         {QStringLiteral("version"), QCoreApplication::applicationVersion()}}}};
}

bool LanguageServer::useRootOf(const QString &path)
{
    if (m_check)
        return true;
    const QString root = findConfigRoot(path);
    if (root.isEmpty())
        return false;
    m_check = std::make_unique<WorkspaceCheck>(root);
    return true;
}

OpenDocument *LanguageServer::documentAt(const QJsonObject &params)
{
    const auto found = m_documents.find(pathOf(textDocumentUri(params)));
    return found == m_documents.end() ? nullptr : &*found;
}

void LanguageServer::open(const QJsonObject &params)
{
    const QString uri = textDocumentUri(params);
    const QString path = pathOf(uri);
    if (path.isEmpty() || !useRootOf(path))
        return;
    const QJsonObject item = params[QLatin1String("textDocument")].toObject();
    OpenDocument document;
    document.path = path;
    document.uri = uri;
    document.kind = m_check->kindOf(path, &document.entry);
    document.text = TextDocument(item[QLatin1String("text")].toString(),
                                 item[QLatin1String("version")].toInteger());
    m_documents.insert(path, document);
    // An open file is always published, clean or not.
    m_published.remove(path);
    schedule(path);
}

void LanguageServer::change(const QJsonObject &params)
{
    OpenDocument *document = documentAt(params);
    if (!document)
        return;
    for (const QJsonValue &change : params[QLatin1String("contentChanges")].toArray())
        document->text.applyChange(change.toObject());
    document->text.setVersion(params[QLatin1String("textDocument")][QLatin1String("version")].toInteger());
    document->changed();
    schedule(document->path);
}

void LanguageServer::close(const QJsonObject &params)
{
    const QString path = pathOf(textDocumentUri(params));
    if (!m_documents.remove(path) || !m_check)
        return;
    // The file on disk counts again.
    m_check->removeText(path);
    m_changed.insert(path);
    m_debounce.start();
}

void LanguageServer::schedule(const QString &path)
{
    if (!m_check)
        return;
    m_check->setText(path, m_documents.value(path).text.text().toUtf8());
    m_changed.insert(path);
    m_debounce.start();
}

void LanguageServer::flush()
{
    m_debounce.stop();
    if (!m_check || (m_checkedOnce && m_changed.isEmpty()))
        return;
    if (!m_checkedOnce)
        m_check->checkAll();
    else
        m_check->checkChanged(m_changed);
    m_checkedOnce = true;
    m_changed.clear();
    publish();
}

void LanguageServer::publish()
{
    QMap<QString, QList<Finding>> byFile;
    for (const Finding &finding : m_check->findings())
        byFile[finding.place.file].append(finding);
    // Open files are published even when clean; files that had diagnostics
    // and have none now are cleared.
    for (auto it = m_documents.cbegin(); it != m_documents.cend(); ++it)
        byFile[it.key()];
    for (auto it = m_published.cbegin(); it != m_published.cend(); ++it)
        byFile[it.key()];
    for (auto it = byFile.cbegin(); it != byFile.cend(); ++it) {
        const auto document = m_documents.constFind(it.key());
        const OpenDocument *open = document == m_documents.cend() ? nullptr : &*document;
        const QJsonArray list = diagnostics(it.value(), open, m_docs);
        const QByteArray digest = QJsonDocument(list).toJson(QJsonDocument::Compact);
        const auto published = m_published.constFind(it.key());
        if (published != m_published.cend() && *published == digest)
            continue;
        if (list.isEmpty() && !open)
            m_published.remove(it.key());
        else
            m_published.insert(it.key(), digest);
        QJsonObject params{{QStringLiteral("uri"), open ? open->uri : uriOf(it.key())},
                           {QStringLiteral("diagnostics"), list}};
        if (open)
            params.insert(QStringLiteral("version"), open->text.version());
        send({{QStringLiteral("jsonrpc"), QStringLiteral("2.0")},
              {QStringLiteral("method"), QStringLiteral("textDocument/publishDiagnostics")},
              {QStringLiteral("params"), params}});
    }
}

} // namespace vrexctl::lsp
