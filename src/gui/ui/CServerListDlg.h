#pragma once

#include "engine/ui/ServerListEditor.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace velarin {

// "Network server list manager" (dialog 148): the user types server addresses and adds them to
// the alphabetical list, or removes the selected one. The caller sets serverCount and the first
// servers, runs the dialog, and on OK reads them back in the list's order.
class CServerListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 148;
    static constexpr int kServerEdit = 1077;
    static constexpr int kAddButton = 1074;
    static constexpr int kServerList = 1036;
    static constexpr int kRemoveButton = 1075;
    static constexpr int kOkButton = 1;
    static constexpr int kCancelButton = 2;

    explicit CServerListDlg(QWidget* parent = nullptr);

    int serverCount = 0;
    std::array<std::string, ServerListEditor::kMaxServers> servers;

    // The message boxes, as seams for the tests: a stop box with OK, and a Yes/No question with
    // the exclamation icon (true: Yes).
    std::function<void(const QString&)> showStop;
    std::function<bool(const QString&)> askYesNo;

    // Runs the dialog modally: true when the user left with OK.
    bool DoModal();

    QWidget* Control(int id) const;
    const ServerListEditor& Editor() const { return editor_; }

    void OnAdd();
    void OnRemove();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void OnOK();
    void ShowList();
    void SetDefaultButton(QPushButton* button);

    ServerListEditor editor_;
    bool initialised_ = false;
    QLineEdit* edit_;
    QPushButton* add_;
    QListWidget* list_;
    QPushButton* remove_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace velarin
