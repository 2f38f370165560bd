// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
// Replacing the stylesheet's bytes without changing who owns it or losing
// what it was if the replacement is cut short.
#ifndef VREX_STYLESHEET_STYLESHEET_REPLACE_H
#define VREX_STYLESHEET_STYLESHEET_REPLACE_H

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace vrex {

// Where in-place saves of this user keep the old bytes until the new ones
// are complete: $XDG_STATE_HOME/vrex_stylesheet, else
// ~/.local/state/vrex_stylesheet (home from $HOME, else the password
// database), else <temp>/vrex_stylesheet-<uid>. Read from the environment
// when called: the host layer and the tools call it, the core never does.
QString defaultRecoveryDirectory();

// The copy an in-place save of target (symlinks resolved) keeps in
// recoveryDir: "<base name>-<hash of the path>.xml".
QString recoveryCopyPath(const QString &recoveryDir, const QString &target);

// Where an in-place save of target that did not finish left the file's
// previous bytes: "<copy> on <host>" as the file's extended attribute
// user.vrex_stylesheet.recovery says (any user's save sets it where the
// file system keeps user attributes), else this user's copy in
// recoveryDir; empty when there is none.
QString interruptedSaveCopy(const QString &target, const QString &recoveryDir);

// Replaces the contents of the existing file target (symlinks resolved),
// keeping its owner, group, mode, ACL and extended attributes. The caller
// holds the stylesheet lock.
//
// Where this process owns the file, can create files next to it, can give
// a new file the same group, ACL and attributes, and the file has no other
// hard link, the new contents go to a temporary file renamed over the old
// one: readers see the old or the new file, never a mixture, and a failure
// leaves the old file. Temporary files of saves that were killed before
// their rename are removed first.
//
// Otherwise the file is rewritten in place, which is what keeps a shared,
// group-writable stylesheet shared. The old bytes are first kept in the
// recovery copy (refused without one), and the room for the new size is
// reserved, so that a full disk or a file-size limit fails before any old
// byte is overwritten; an I/O error while overwriting is answered by
// writing the old bytes back. A crash in the middle can leave a mixture,
// which the reader rejects and whose message names the copy. The copy is
// removed once the file is whole again.
//
// why: for a failure with a reason worth a line (no recovery copy).
bool replaceFileContents(const QString &target, const QByteArray &contents, const QString &recoveryDir,
                         QString *why = nullptr);

} // namespace vrex

#endif
