// Replacing the stylesheet's bytes without changing who owns it.
#ifndef VREX_STYLESHEET_STYLESHEET_REPLACE_H
#define VREX_STYLESHEET_STYLESHEET_REPLACE_H

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace vrex {

// Replaces the contents of the existing file at path (a symlink is
// followed) and keeps its owner, group and mode.
//
// Where this process owns the file, can create files next to it, can give a
// new file the same group, and the file has no other hard link, the new
// contents go to a temporary file renamed over the old one: readers see the
// old or the new file, never a mixture, and a failure leaves the old file.
//
// Otherwise the file is rewritten in place, which is what keeps a shared,
// group-writable stylesheet shared. The file is first grown to its new size,
// so a full disk or a file-size limit fails before any old byte is
// overwritten; a failure while overwriting (an I/O error) is answered by
// writing the old bytes back. A crash or power loss in the middle, or a
// reader looking in the middle, can still see a mixture: in-place writing
// cannot be atomic.
bool replaceFileContents(const QString &path, const QByteArray &contents);

} // namespace vrex

#endif
