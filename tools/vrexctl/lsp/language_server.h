// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// The language server: JSON-RPC requests and notifications of the Language
// Server Protocol 3.17 in, answers and diagnostics out, for the files of
// one installation. Unsaved buffers take the place of their files in the
// installation's file source; changes are checked when the client pauses
// (or right away when a request needs the result).
#ifndef VREXCTL_LSP_LANGUAGE_SERVER_H
#define VREXCTL_LSP_LANGUAGE_SERVER_H

#include "lsp/features.h"
#include "lsp/message_stream.h"
#include "lsp/workspace_check.h"

#include <QtCore/QHash>
#include <QtCore/QJsonObject>
#include <QtCore/QObject>
#include <QtCore/QSet>
#include <QtCore/QTimer>

#include <functional>
#include <memory>

namespace vrexctl::lsp {

class LanguageServer : public QObject
{
    Q_OBJECT

public:
    // write gets each framed message for the client.
    explicit LanguageServer(std::function<void(const QByteArray &)> write, QObject *parent = nullptr);
    ~LanguageServer() override;

    // The installation's configuration root when the command line names it;
    // otherwise it is found from the workspace or the first opened file.
    void setConfigRoot(const QString &configRoot) { m_fixedRoot = configRoot; }
    // How long after the last change the check runs.
    void setDebounce(int milliseconds) { m_debounce.setInterval(milliseconds); }

    // Bytes from the client, in any pieces.
    void receive(const QByteArray &bytes);
    // Runs the pending check and publishes what changed.
    void flush();

    // After "exit": 0 when "shutdown" came first, 1 otherwise.
    bool hasExited() const { return m_exitCode >= 0; }
    int exitCode() const { return m_exitCode; }

Q_SIGNALS:
    void exited(int code);

private:
    enum class State { Starting, Running, ShutDown };

    void handle(const QJsonObject &message);
    QJsonValue request(const QString &method, const QJsonObject &params);
    void notification(const QString &method, const QJsonObject &params);

    QJsonObject initialize(const QJsonObject &params);
    void open(const QJsonObject &params);
    void change(const QJsonObject &params);
    void close(const QJsonObject &params);

    bool useRootOf(const QString &path);
    OpenDocument *documentAt(const QJsonObject &params);
    void schedule(const QString &path);
    void publish();

    void send(const QJsonObject &message);
    void respond(const QJsonValue &id, const QJsonValue &result);
    void respondError(const QJsonValue &id, int code, const QString &message);

    std::function<void(const QByteArray &)> m_write;
    MessageReader m_reader;
    State m_state = State::Starting;
    int m_exitCode = -1;
    QString m_fixedRoot;
    QString m_docs;
    std::unique_ptr<WorkspaceCheck> m_check;
    bool m_checkedOnce = false;
    QHash<QString, OpenDocument> m_documents; // by path
    QSet<QString> m_changed;                  // paths whose text changed since the last check
    QTimer m_debounce;
    QHash<QString, QByteArray> m_published;   // by path: the diagnostics last sent
};

// Finds the configuration root (the directory that holds config/) for a
// file or folder: the path itself or a directory above it, or for a folder
// its one subdirectory that holds config/. Null when there is none.
QString findConfigRoot(const QString &path);

} // namespace vrexctl::lsp

#endif
