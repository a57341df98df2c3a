#pragma once

#include <QString>

#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace velarin {

// What a save-as question asks for: the extension added to a name typed without one, the name
// offered, and the filter list ("Description|patterns|...||").
struct SaveAsRequest {
    QString defaultExtension;
    QString defaultFileName;
    QString filter;
};

// The save-as dialog for a request: asks before replacing an existing file.
std::unique_ptr<QFileDialog> CreateSaveAsDialog(QWidget* parent, const SaveAsRequest& request);

// Shows it modally; the chosen path, or nothing when the user cancelled.
std::optional<QString> RunSaveAsDialog(QWidget* parent, const SaveAsRequest& request);

} // namespace velarin
