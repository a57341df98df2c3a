#include "gui/ui/SaveAsFileDialog.h"

#include "engine/ui/FileDialogFilter.h"

#include <QFileDialog>
#include <QStringList>

namespace velarin {

std::unique_ptr<QFileDialog> CreateSaveAsDialog(QWidget* parent, const SaveAsRequest& request)
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->setDefaultSuffix(request.defaultExtension);
    QStringList filters;
    for (const std::string& entry : FileDialogNameFilters(request.filter.toStdString()))
        filters << QString::fromStdString(entry);
    dialog->setNameFilters(filters);
    dialog->selectFile(request.defaultFileName);
    return dialog;
}

std::optional<QString> RunSaveAsDialog(QWidget* parent, const SaveAsRequest& request)
{
    const std::unique_ptr<QFileDialog> dialog = CreateSaveAsDialog(parent, request);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty())
        return std::nullopt;
    return chosen.front();
}

} // namespace velarin
