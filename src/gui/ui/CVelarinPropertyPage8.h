#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace velarin {

// Tab "System Configuration" (template 117): the PC clock's reference (GPS receiver or network
// time server), help bubbles, and the system log's button, which the page keeps hidden.
class CVelarinPropertyPage8 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 117;
    static constexpr int kHelpContext = 131189;

    explicit CVelarinPropertyPage8(PropertySheetContext& context, QWidget* parent = nullptr);

    // The save-as question for the system log's file (nothing when cancelled); a seam for the
    // tests.
    std::function<std::optional<QString>()> askSystemLogPath;

    // "Enable System Logging..." / "Disable System Logging".
    void ToggleSystemLog();

protected:
    void OnInitDialog() override;

private:
    void OnReferenceClicked();
    void OnBubblesClicked();
    std::optional<QString> AskSystemLogPath();

    QRadioButton* gps_ = nullptr;
    QRadioButton* network_ = nullptr;
    QCheckBox* bubbles_ = nullptr;
    QGroupBox* diagnostics_ = nullptr;
    QPushButton* systemLog_ = nullptr;
};

} // namespace velarin
