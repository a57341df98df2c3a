#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace velarin {

class CServerListDlg;

// Tab "Network Time" (template 116): the protocol, the Daytime port, the current time server
// and the server list, random server choice, and a status line refreshed once a second.
class CVelarinPropertyPage7 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 116;
    static constexpr int kHelpContext = 131188;

    explicit CVelarinPropertyPage7(PropertySheetContext& context, QWidget* parent = nullptr);

    void OnTimer() override;

    // Runs the server list dialog modally (true: OK); a seam for the tests.
    std::function<bool(CServerListDlg&)> runServerListDlg;

    // "Add/Delete...": edits the stored list, then shows it again.
    void OnAddDelete();
    // The names in the server list, in its order.
    std::vector<std::string> ListedServers() const;

protected:
    void OnInitDialog() override;

private:
    void FillServerList();
    // Selects the current server in the list; false when it is not listed.
    bool SelectCurrentServer();
    void OnServerChosen(const QString& server);
    void OnPortChanged(const QString& text);
    void OnProtocolClicked();
    void OnRandomClicked();
    void EnableForChoices();

    QRadioButton* daytime_ = nullptr;
    QRadioButton* sntp_ = nullptr;
    QComboBox* serverList_ = nullptr;
    QCheckBox* random_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace velarin
