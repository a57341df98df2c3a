#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "Network Time" (template 116): Time servers, protocol and network status.
class CVelarinPropertyPage7 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 116;
    static constexpr int kHelpContext = 131188;

    explicit CVelarinPropertyPage7(PropertySheetContext& context, QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

} // namespace velarin
