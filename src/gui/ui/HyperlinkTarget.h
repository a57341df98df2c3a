#pragma once

#include <QString>
#include <QUrl>

namespace velarin {

// What a link's target names: an address with a scheme (https:, mailto:, file: ...) as it
// stands, an absolute or relative path as a local file.
QUrl HyperlinkUrl(const QString& target);

// Opens the target with the program the desktop associates with it. The address goes to the
// desktop's opener as one argument, never through a shell. The result is numbered as the link
// error texts are: link_result::kOpened on success; a missing local file, a missing folder, an
// unreadable file or an address nobody takes each map onto their own text.
int OpenHyperlinkTarget(const QString& target);

} // namespace velarin
