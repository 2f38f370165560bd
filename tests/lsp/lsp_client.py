# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""A scripted client of `vrexctl lsp`: starts the server, frames JSON-RPC
messages, and waits for answers and notifications with a deadline."""
import json
import os
import select
import subprocess


class Client:
    def __init__(self, vrexctl, root, options=None, args=()):
        self.proc = subprocess.Popen([vrexctl, *args, 'lsp'], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE)
        self.buffer = b''
        self.next_id = 0
        self.notes = []  # notifications not yet taken
        self.root = root
        if root is not None:
            self.result = self.request('initialize', {
                'processId': os.getpid(), 'rootUri': uri(root), 'capabilities': {},
                'initializationOptions': options or {'debounceMs': 0}})
            self.notify('initialized', {})

    def write(self, data):
        self.proc.stdin.write(data)
        self.proc.stdin.flush()

    def send(self, message):
        body = json.dumps(message).encode()
        self.write(b'Content-Length: %d\r\n\r\n' % len(body) + body)

    def notify(self, method, params=None):
        self.send({'jsonrpc': '2.0', 'method': method, 'params': params or {}})

    def read(self, timeout=30.0):
        """The next message, or None when none comes in time."""
        while True:
            end = self.buffer.find(b'\r\n\r\n')
            if end >= 0:
                length = int(self.buffer[:end].split(b':')[1])
                if len(self.buffer) >= end + 4 + length:
                    body = self.buffer[end + 4:end + 4 + length]
                    self.buffer = self.buffer[end + 4 + length:]
                    return json.loads(body)
            if not select.select([self.proc.stdout], [], [], timeout)[0]:
                return None
            chunk = os.read(self.proc.stdout.fileno(), 1 << 20)
            if not chunk:
                return None
            self.buffer += chunk

    def request(self, method, params=None, raw=False):
        self.next_id += 1
        self.send({'jsonrpc': '2.0', 'id': self.next_id, 'method': method, 'params': params or {}})
        return self.answer(self.next_id, raw)

    def answer(self, id, raw=False):
        while True:
            message = self.read()
            if message is None:
                raise AssertionError('no answer to request %s' % id)
            if 'method' in message:
                self.notes.append(message)
            elif message.get('id') == id:
                return message if raw else message['result']
            else:
                raise AssertionError('unexpected answer %s' % message)

    def diagnostics(self, path, timeout=30.0):
        """The next diagnostics published for path."""
        while True:
            for note in self.notes:
                if note['method'] == 'textDocument/publishDiagnostics' and note['params']['uri'] == uri(path):
                    self.notes.remove(note)
                    return note['params']
            message = self.read(timeout)
            if message is None:
                return None
            self.notes.append(message)

    def open(self, path, text=None):
        if text is None:
            with open(path, encoding='utf-8') as file:
                text = file.read()
        self.notify('textDocument/didOpen', {'textDocument': {
            'uri': uri(path), 'languageId': 'xml', 'version': 1, 'text': text}})
        return text

    def change(self, path, version, changes):
        self.notify('textDocument/didChange', {
            'textDocument': {'uri': uri(path), 'version': version}, 'contentChanges': changes})

    def at(self, method, path, position, **extra):
        return self.request(method, {'textDocument': {'uri': uri(path)}, 'position': position, **extra})

    def stop(self):
        """shutdown and exit; the exit status."""
        self.request('shutdown')
        self.notify('exit')
        return self.proc.wait(30)


def uri(path):
    return 'file://' + os.path.abspath(path)


def position(text, needle, into=0):
    """The LSP position of needle (plus into characters) in text."""
    offset = text.index(needle) + into
    line = text.count('\n', 0, offset)
    return {'line': line, 'character': offset - (text.rfind('\n', 0, offset) + 1)}


def replace(text, old, new):
    """A didChange entry replacing the first old in text by new."""
    start = position(text, old)
    end = position(text, old, len(old))
    return {'range': {'start': start, 'end': end}, 'text': new}
